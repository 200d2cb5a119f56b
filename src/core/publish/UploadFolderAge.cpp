#include "core/publish/UploadFolderAge.h"

#include "core/app/AppState.h"
#include "core/publish/Exporter.h"
#include "core/publish/UploadSettings.h"
#include "core/publish/UploadTree.h"
#include "core/settings/ShopSettingsFile.h"
#include "core/text/JoinPath.h"

#include <filesystem>

namespace qs {
namespace {

UploadManifest shopSources(const AppState& state)
{
    UploadTree tree;
    readUploadTree(state.ShopCGIDir(), "cgi", tree);
    if (!state.LocImg.empty())
        readUploadTree(state.LocImg, "images", tree);
    for (const std::string& own : {uploadSettingsFile(state), uploadKnownHostsFile(state)})
        tree.files.erase("cgi/" + std::filesystem::path(own).filename().string());
    // The folders themselves name the record: built from other folders, the
    // upload folder is out of date.
    return {state.ShopCGIDir() + " " + state.LocImg, std::move(tree.files)};
}

} // namespace

std::string uploadSourcesFile(const AppState& state)
{
    return joinPath(uploadFolder(state), state.ShopName + ".sources");
}

bool uploadFolderOutOfDate(const AppState& state)
{
    std::error_code ec;
    if (!std::filesystem::exists(joinPath(uploadCGIDir(state), settingsFileName), ec))
        return true;
    const UploadManifest now = shopSources(state);
    return readUploadManifest(uploadSourcesFile(state), now.host).files != now.files;
}

void recordUploadFolderSources(const AppState& state)
{
    writeUploadManifest(uploadSourcesFile(state), shopSources(state));
}

} // namespace qs
