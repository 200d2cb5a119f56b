#include "core/settings/ShopSettingsFile.h"

#include "core/app/AppState.h"
#include "core/text/AtomicFile.h"
#include "core/text/IntegerText.h"

#include <algorithm>

namespace qs {

void LoadSettings(AppState& state, const std::string& path)
{
    NameValueList& list = state.ShopFields;
    list = NameValueList::fromFile(path);
    // A damaged file must not size the navigation texts beyond reason.
    state.MAX_CATEGORY_DEPTH = std::clamp(toInt32(list.value("MAX_CATEGORY_DEPTH")), 1, maximumCategoryDepth);
    state.mailprogram = list.value("mailprogram");
    state.web_server = list.value("web_server");
    state.smtp_server = list.value("smtp_server");
}

void UseDefaultSettings(AppState& state)
{
    state.ShopFields = ShopSettings();
    state.MAX_CATEGORY_DEPTH = toInt32(state.ShopFields.value("MAX_CATEGORY_DEPTH"));
}

namespace {

// The keys the scripts need for the form asked for, set in the settings list.
void setSavedValues(AppState& state, bool remote)
{
    state.CurrentImageURL = remote ? state.RemImgURL : state.LocImgURL;
    const std::string cgiPath = remote ? state.RemCGI + "/qstldb" : state.ShopCGIDir();
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

void SaveSettings(AppState& state, const std::string& path, bool remote)
{
    setSavedValues(state, remote);
    state.ShopFields.saveToFile(path);
}

void SaveSettings(AppState& state, AtomicFileWriter& file, bool remote)
{
    setSavedValues(state, remote);
    file.write(state.ShopFields.toText());
}

std::string shopSettingsFile(const AppState& state)
{
    return joinPath(state.ShopCGIDir(), settingsFileName);
}

} // namespace qs
