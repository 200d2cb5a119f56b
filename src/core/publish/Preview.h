#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

struct AppState;
class LocalWebServer;
class PreviewSettings;
class UserInterface;

// Preview: the open shop in the merchant's browser, as a customer sees it,
// served by a web server on this computer.

// What the preview needs of the face.
struct PreviewHandlers {
    // Shows the "Preview Settings..." dialog.
    std::function<void()> previewSettings;
    // Starts a program with these arguments, without a shell and without
    // waiting for it. False when it could not be started.
    std::function<bool(const std::string& program, const std::vector<std::string>& arguments)> startProgram;
};

// View Preview: makes sure a browser is known (the settings dialog opens when
// the one set is missing), offers to save the catalogue, makes sure a web
// server answers at the preview address (starting the local one when it is
// this computer's and nothing answers), and starts the browser on the shop's
// catalogue script. True when the browser was started.
// With PreviewPage::Administrators the browser opens the shop's
// administrators' pages instead, where the preview's orders can be seen.
enum class PreviewPage { Shop, Administrators };
bool PreviewCommand(AppState& state, UserInterface& ui, const PreviewSettings& settings,
                    LocalWebServer& server, const PreviewHandlers& handlers,
                    PreviewPage page = PreviewPage::Shop);

// Makes sure a web server answers at the address: one elsewhere is taken on
// trust; at this computer's own address nothing answering means the local
// server is started, and what answers must serve this program's folders.
// Empty when one answers; otherwise what to tell the merchant.
std::string EnsurePreviewServer(const AppState& state, LocalWebServer& server, std::string_view address);

// The shipped configuration of the local web server, in the program folder.
std::string previewServerConfiguration(const AppState& state);

inline constexpr std::string_view saveFirstQuestion = "Save the Catalogue first?";

} // namespace qs
