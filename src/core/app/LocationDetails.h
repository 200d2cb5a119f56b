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
    std::string LocalCGIEdit;
    std::string LocalImgEdit;
    std::string LocalImgURLEdit;
    std::string LocPerlPathEdit;
    // Tab "Remote"; the data folder name passes through unchanged.
    std::string RemoteCGIEdit;
    std::string RemoteDataField;
    std::string RemoteImgURLEdit;
    std::string RemotePerlPathEdit;
    // The two mail panels.
    std::string SysMailEdit;
    std::string WebServerEdit;
    std::string SMTPServerEdit;

    int mailMethod = SystemMail;
    // "Do not show at start up": written to the location file, never read back.
    bool cbStartup = false;

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
