#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

struct AppState;
class UserInterface;

// Export for upload: builds the open shop, ready for the web server, in the
// upload folder of the program folder: ProgramDir/upload/SHOP/SHOP-cgi with
// the scripts, the settings file and the data folder, and
// ProgramDir/upload/SHOP/SHOP-images with the pictures.

// What the export asks of the face that runs it: the dialogs it opens when
// the shop lacks its e-mail addresses or a mail method, and what becomes of
// the warnings when the shop cannot take orders properly as it is set.
struct ExportDialogs {
    // Merchant Details. False stops the export: a face without windows
    // cannot put the settings right.
    std::function<bool()> merchantDetails;
    // Location Details: true when confirmed, false when cancelled.
    std::function<bool()> locationDetails;
    // The warnings of orderReadinessWarnings, told: true exports all the
    // same, false stops before anything is saved or built.
    std::function<bool(const std::vector<std::string>& warnings)> ordersAtRisk;
};

enum class ExportOutcome {
    // Stopped before anything was built: declined, or a dialog left unconfirmed.
    Stopped,
    // The catalogue could not be saved, so nothing was built.
    NotSaved,
    // Built, but something was not exported; the merchant has been told what.
    Incomplete,
    // Everything copied, and the closing message shown.
    Complete,
};

// Whether the export is the merchant's own command, or the first step of an
// upload to the web host, which was asked for already and goes on from the
// upload folder: it then neither asks to proceed nor tells where to upload.
enum class ExportRun { Alone, BeforeUpload };

// The export command: the mail checks, the confirmation, the warnings of a
// shop that cannot take orders properly, the save, then the upload folder. A
// script that cannot be copied throws FileError after telling the merchant
// which one.
ExportOutcome ExportCommand(AppState& state, UserInterface& ui, const ExportDialogs& dialogs,
                            ExportRun run = ExportRun::Alone);

// The export's work once the catalogue is saved: the scripts with the
// server's Perl path, the administrators' password file and the settings
// file in its remote form, the data files, the folders the scripts write in
// on the server, and the pictures; then the closing message, or, when
// anything was not exported (a picture the catalogue names but the image
// folder lacks among it), the list of what was not. Throws as ExportCommand
// does.
ExportOutcome BuildUploadFolder(AppState& state, UserInterface& ui, ExportRun run = ExportRun::Alone);

std::string uploadFolder(const AppState& state);
std::string uploadCGIDir(const AppState& state);
std::string uploadImagesDir(const AppState& state);

// Where to upload what, told once everything has been copied.
std::string exportClosingMessage(std::string_view shop);
// The shop's folder in the upload folder, its real path, for the merchant
// to find: ProgramDir/upload/SHOP.
std::string uploadShopFolder(const AppState& state);
// Told after the closing message: that folder, and the address the
// administrators' pages will have on the web host.
std::string exportWhereMessage(const AppState& state, std::string_view folder);

inline constexpr std::string_view missingEmailMessage =
    "Your shop will not work without the email fields set up. Please fill them in.";
inline constexpr std::string_view missingMailMethodMessage =
    "Your shop will not work without a mail method set up. Please choose one.";
inline constexpr std::string_view exportQuestion =
    "This will build your shop in your upload directory, ready for upload.\nProceed?";
inline constexpr std::string_view exportIncompleteHeading =
    "Your shop has NOT been completely copied to your upload directory. Not exported:";
inline constexpr std::string_view exportIncompleteAdvice = "Please put these right and export again.";

} // namespace qs
