#include "core/publish/PreviewSettingsEdits.h"

#include "core/app/AppState.h"
#include "core/publish/PreviewAddress.h"
#include "core/publish/PreviewSettings.h"
#include "core/ui/UserInterface.h"

#include <filesystem>

namespace qs {

void PreviewSettingsEdits::fill(const AppState& state, const PreviewSettings& settings)
{
    BrowserEdit = state.BrowserPath;
    AddressEdit = settings.previewAddress;
}

void PreviewSettingsEdits::browse(UserInterface& ui)
{
    FileDialogRequest request;
    request.caption = "Please select your browser's executable file...";
    request.filter = "Executable Files|*";
    request.directory = "/usr/bin";
    if (std::optional<std::string> chosen = ui.openFile(request))
        BrowserEdit = std::move(*chosen);
}

void PreviewSettingsEdits::suggest(std::string_view path, UserInterface& ui)
{
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) {
        BrowserEdit = std::string(path);
        return;
    }
    ui.message("Sorry! The file " + std::string(path) +
                   " does not seem to exist on your machine.\nPlease try to find your browser using the "
                   "\"Browse\" button.",
               MessageKind::Information);
}

bool PreviewSettingsEdits::accept(AppState& state, PreviewSettings& settings, UserInterface& ui) const
{
    if (!PreviewAddress::parse(AddressEdit)) {
        ui.message(badAddressMessage, MessageKind::Warning);
        return false;
    }
    state.BrowserPath = BrowserEdit;
    settings.previewAddress = AddressEdit;
    return true;
}

} // namespace qs
