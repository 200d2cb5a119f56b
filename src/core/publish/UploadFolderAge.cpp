#include "core/publish/UploadFolderAge.h"

#include "core/app/AppState.h"
#include "core/publish/Exporter.h"
#include "core/publish/ServerDataFolders.h"
#include "core/publish/UploadSettings.h"
#include "core/settings/ShopSettingsFile.h"
#include "core/text/JoinPath.h"

#include <algorithm>
#include <filesystem>

namespace qs {
namespace fs = std::filesystem;
namespace {

bool changedSince(const std::string& folder, fs::file_time_type built, const AppState& state)
{
    std::error_code ec;
    const fs::path settings = uploadSettingsFile(state);
    const fs::path knownHosts = uploadKnownHostsFile(state);
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory() && it->path().parent_path() == fs::path(state.ShopDataDir()) &&
            std::find(std::begin(serverDataFolders), std::end(serverDataFolders),
                      it->path().filename().string()) != std::end(serverDataFolders))
            it.disable_recursion_pending();
        if (!it->is_regular_file() || it->path() == settings || it->path() == knownHosts)
            continue;
        if (it->last_write_time() > built)
            return true;
    }
    return false;
}

} // namespace

bool uploadFolderOutOfDate(const AppState& state)
{
    std::error_code ec;
    const auto built = fs::last_write_time(joinPath(uploadCGIDir(state), settingsFileName), ec);
    if (ec)
        return true;
    return changedSince(state.ShopCGIDir(), built, state) ||
           (!state.LocImg.empty() && changedSince(state.LocImg, built, state));
}

} // namespace qs
