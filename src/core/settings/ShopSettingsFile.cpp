#include "core/settings/ShopSettingsFile.h"

#include "core/settings/OpenSettings.h"
#include "core/settings/ShopPaths.h"
#include "core/text/AtomicFile.h"
#include "core/text/IntegerText.h"
#include "core/text/JoinPath.h"

#include <algorithm>

namespace qs {

void LoadSettings(OpenSettings& state, const std::string& path)
{
    NameValueList& list = state.ShopFields;
    list = NameValueList::fromFile(path);
    // A damaged file must not size the navigation texts beyond reason.
    state.MAX_CATEGORY_DEPTH = std::clamp(toInt32(list.value("MAX_CATEGORY_DEPTH")), 1, maximumCategoryDepth);
    state.mailprogram = list.value("mailprogram");
    state.web_server = list.value("web_server");
    state.smtp_server = list.value("smtp_server");
}

void UseDefaultSettings(OpenSettings& state)
{
    state.ShopFields = ShopSettings();
    state.MAX_CATEGORY_DEPTH = toInt32(state.ShopFields.value("MAX_CATEGORY_DEPTH"));
}

namespace {

// The keys the scripts need for the form asked for, set in the settings list.
void setSavedValues(OpenSettings& state, const ShopPaths& paths, SettingsForm form)
{
    const bool remote = form == SettingsForm::Remote;
    state.CurrentImageURL = remote ? paths.RemImgURL : paths.LocImgURL;
    const std::string cgiPath = remote ? paths.RemoteShopCGI() : paths.ShopCGIDir();
    ShopSettings& list = state.ShopFields;
    list.setValue("PATH", "data");
    list.setValue("IMAGEPATH", state.CurrentImageURL);
    list.setValue("CGIPATH", cgiPath);
    if (!state.mailprogram.empty()) {
        list.setValue("mailprogram", state.mailprogram);
        list.setValue("web_server", "");
        list.setValue("smtp_server", "");
    } else {
        list.setValue("mailprogram", "");
        list.setValue("web_server", state.web_server);
        list.setValue("smtp_server", state.smtp_server);
    }
}

} // namespace

void SaveSettings(OpenSettings& state, const ShopPaths& paths, const std::string& path, SettingsForm form)
{
    setSavedValues(state, paths, form);
    state.ShopFields.saveToFile(path);
}

void SaveSettings(OpenSettings& state, const ShopPaths& paths, AtomicFileWriter& file, SettingsForm form)
{
    setSavedValues(state, paths, form);
    file.write(state.ShopFields.toText());
}

std::string shopSettingsFile(const ShopPaths& paths)
{
    return joinPath(paths.ShopCGIDir(), settingsFileName);
}

} // namespace qs
