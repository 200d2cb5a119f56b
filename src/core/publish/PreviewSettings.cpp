#include "core/publish/PreviewSettings.h"

#include "core/app/AppState.h"
#include "core/publish/PreviewAddress.h"
#include "core/text/FileError.h"

namespace qs {

PreviewSettings::PreviewSettings() : previewAddress(defaultPreviewAddress) {}

std::string PreviewSettings::filePath(const AppState& state)
{
    return state.programFile(std::string(fileName));
}

void PreviewSettings::load(AppState& state)
{
    try {
        list_ = NameValueList::fromFile(filePath(state));
    } catch (const FileError&) {
        list_.clear();
    }
    state.BrowserPath = std::string(list_.value(browserKey));
    const std::string_view address = list_.value(addressKey);
    previewAddress = address.empty() ? std::string(defaultPreviewAddress) : std::string(address);
}

void PreviewSettings::save(const AppState& state)
{
    list_.setValue(browserKey, state.BrowserPath);
    list_.setValue(addressKey, previewAddress);
    list_.saveToFile(filePath(state));
}

} // namespace qs
