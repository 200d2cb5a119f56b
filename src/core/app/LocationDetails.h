#pragma once

#include <string>

namespace qs {

struct AppState;

// What the "Location Details" dialog holds. Like the dialog, it lives for the
// whole run: its texts keep what they held when the dialog last closed, which
// is what StoreDetails copies into the shop settings list.
struct LocationDetails {
    enum MailMethod { SystemMail = 0, SmtpServer = 1 };

    // Tab "Local".
    std::string localCgiFolder;
    std::string localImageFolder;
    std::string localImageUrl;
    std::string localPerlPath;
    // Tab "Remote"; the data folder name passes through unchanged.
    std::string remoteCgiUrl;
    std::string remoteDataFolder;
    std::string remoteImageUrl;
    std::string remotePerlPath;
    // The two mail panels.
    std::string mailProgram;
    std::string webServer;
    std::string smtpServer;

    int mailMethod = SystemMail;
    // "Do not show at start up": written to the location file, never read back.
    bool hiddenAtStartup = false;

    // On show: the texts from the current values, then the mail method that
    // matches them, applied at once.
    void fill(AppState& state);
    // A mail method reaches the mail values as soon as it is chosen, before OK.
    void chooseMailMethod(AppState& state, int method);
    // OK: every text into its value, the mail values by the chosen method.
    void accept(AppState& state) const;

private:
    void applyMailMethod(AppState& state) const;
};

} // namespace qs
