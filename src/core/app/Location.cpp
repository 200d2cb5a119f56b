#include "core/app/Location.h"

#include "core/app/AppState.h"
#include "core/text/AtomicFile.h"
#include "core/text/FileError.h"
#include "core/text/ReadFile.h"

namespace qs {

NameValueList locationValues(const AppState& state)
{
    NameValueList list;
    list.setValue("LocCGI", state.LocCGI);
    list.setValue("LocImg", state.LocImg);
    list.setValue("LocImgURL", state.LocImgURL);
    list.setValue("LocPerlPath", state.LocPerlPath);
    list.setValue("RemCGI", state.RemCGI);
    list.setValue("RemData", state.RemData);
    list.setValue("RemImgURL", state.RemImgURL);
    list.setValue("RemPerlPath", state.RemPerlPath);
    return list;
}

namespace {

std::string locationFileText(NameValueList values, bool startupHidden)
{
    values.setValue("Startup", startupHidden ? "1" : "0");
    return values.toText();
}

bool fileHolds(const std::string& path, std::string_view bytes)
{
    try {
        return readFileBytes(path) == bytes;
    } catch (const FileError&) {
        return false;
    }
}

} // namespace

void SaveLocation(NameValueList values, bool startupHidden, const std::string& path)
{
    const std::string text = locationFileText(std::move(values), startupHidden);
    if (!fileHolds(path, text))
        writeFileAtomically(path, text);
}

void SaveLocation(const AppState& state, const std::string& path)
{
    writeFileAtomically(path, locationFileText(locationValues(state), state.locationForm.cbStartup));
}

void SaveLocation(const AppState& state, AtomicFileWriter& file)
{
    file.write(locationFileText(locationValues(state), state.locationForm.cbStartup));
}

void LoadLocation(AppState& state, const std::string& path)
{
    NameValueList list;
    try {
        list = NameValueList::fromFile(path);
    } catch (const FileError&) {
        state.LocImg = state.fallbackLocImg();
        state.LocCGI = state.fallbackLocCGI();
        SaveLocation(state, path);
        return;
    }
    applyLocationValues(state, list);
}

void applyLocationValues(AppState& state, const NameValueList& values)
{
    state.LocCGI = values.value("LocCGI");
    state.LocImg = values.value("LocImg");
    state.LocImgURL = values.value("LocImgURL");
    state.LocPerlPath = values.value("LocPerlPath");
    state.RemCGI = values.value("RemCGI");
    state.RemData = values.value("RemData");
    state.RemImgURL = values.value("RemImgURL");
    state.RemPerlPath = values.value("RemPerlPath");
}

void StoreDetails(AppState& state)
{
    const LocationDetails& form = state.locationForm;
    if (form.mailMethod == LocationDetails::SystemMail) {
        state.ShopFields.setValue("mailprogram", form.SysMailEdit);
    } else {
        state.ShopFields.setValue("web_server", form.WebServerEdit);
        state.ShopFields.setValue("smtp_server", form.SMTPServerEdit);
    }
}

std::string programLocationFile(const AppState& state)
{
    return state.programFile(locationFileName);
}

std::string currentLocationFile(const AppState& state)
{
    if (state.locationWithoutShop)
        return joinPath(state.ShopCGIDir(), locationFileName);
    return programLocationFile(state);
}

} // namespace qs
