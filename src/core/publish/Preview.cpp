#include "core/publish/Preview.h"

#include "core/app/AppState.h"
#include "core/app/CatalogueSave.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/publish/LocalWebServer.h"
#include "core/publish/PreviewAddress.h"
#include "core/publish/PreviewServerCheck.h"
#include "core/publish/PreviewSettings.h"
#include "core/publish/PreviewSettingsEdits.h"
#include "core/ui/UserInterface.h"

#include <filesystem>

namespace qs {

namespace {

bool isFile(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// The folder that holds every shop's "-images" folder: the image folder in
// force before a shop was opened.
std::string programImageFolder(const AppState& state)
{
    if (state.locationWithoutShop)
        return std::string(state.locationWithoutShop->value("LocImg"));
    return state.LocImg;
}

std::string noServerMessage(std::string_view address, std::string_view why, std::string_view whatToDo)
{
    return "The preview needs a web server at " + std::string(address) + ", but nothing answers there " +
           std::string(why) + "\n" + std::string(whatToDo);
}

} // namespace

std::string previewServerConfiguration(const AppState& state)
{
    return state.programFile("lighttpd/preview.conf");
}

std::string EnsurePreviewServer(const AppState& state, LocalWebServer& server, std::string_view address)
{
    const std::optional<PreviewAddress> parsed = PreviewAddress::parse(address);
    if (!parsed)
        return std::string(badAddressMessage) + "\nPlease correct it under Preview, Preview Settings.";
    if (!parsed->servedHere())
        return {};
    if (LocalWebServer::answers(parsed->port)) {
        if (checkPreviewServer(parsed->port, programImageFolder(state)) != PreviewServerCheck::Foreign)
            return {};
        return "Another program answers at " + std::string(address) +
               ", not a web server that shows your shop: the browser would show that program's page.\n"
               "Stop that program, or choose another port for the preview address under Preview, Preview "
               "Settings (such as http://localhost:8081), and preview again.";
    }
    if (!server.installed())
        return noServerMessage(
            address, "and the web server lighttpd is not installed.",
            "Install it (on Debian: sudo apt-get install lighttpd) and preview again, or "
            "enter the address of a web server of your own under Preview, Preview Settings.");
    const std::string configuration = previewServerConfiguration(state);
    if (!isFile(configuration))
        return noServerMessage(address,
                               "and the web server's configuration (" + configuration + ") is missing.",
                               "Copy the lighttpd folder of the installation into the program folder and "
                               "preview again.");
    const std::string failure =
        server.start(configuration, parsed->port, {state.LocCGI, programImageFolder(state)});
    if (failure.empty())
        return {};
    return "The web server for the preview could not be started at " + std::string(address) + ": " + failure +
           "\nIf another program uses that port, choose another port for the preview address under Preview, "
           "Preview Settings (such as http://localhost:8081), and preview again.";
}

bool PreviewCommand(AppState& state, UserInterface& ui, const PreviewSettings& settings,
                    LocalWebServer& server, const PreviewHandlers& handlers, PreviewPage page)
{
    if (!isFile(state.BrowserPath)) {
        state.BrowserPath.clear();
        handlers.previewSettings();
    }
    if (state.BrowserPath.empty())
        return false;
    if (ui.ask(saveFirstQuestion, MessageKind::Confirmation, Buttons::YesNo) == Answer::Yes)
        SaveCatalogueCommand(state, ui);

    const std::string serverProblem = EnsurePreviewServer(state, server, settings.previewAddress);
    if (!serverProblem.empty()) {
        ui.message(serverProblem, MessageKind::Warning);
        return false;
    }
    const std::string_view script = page == PreviewPage::Shop ? "Catalogue.pl" : "Admin.pl";
    if (!handlers.startProgram(state.BrowserPath, {previewURL(settings.previewAddress, state.ShopName, script)})) {
        ui.message("The browser " + state.BrowserPath +
                       " could not be started.\nPlease check the path to your browser under Preview, Preview "
                       "Settings.",
                   MessageKind::Warning);
        return false;
    }
    return true;
}

} // namespace qs
