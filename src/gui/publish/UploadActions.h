#pragma once

#include "core/publish/UploadSettings.h"
#include "gui/publish/SessionPasswords.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qs {
struct AppState;
class RemoteHost;
class UserInterface;
} // namespace qs

namespace qs::gui {

class PublishActions;
class TCMForm;
class TOrdersForm;
class TUploadSettingsForm;
class UploadPasswords;

// The commands that reach the web host: Upload Settings, Upload to Web Host
// (the menu item and the tool button) and Fetch Orders. An upload exports
// the shop first when the upload folder is older than the shop, then sends
// what changed, with the shared progress window and its Cancel; a host key
// not met before is shown and must be accepted, files the shop no longer
// has are deleted on the host only when the merchant agrees.
class UploadActions : public QObject {
    Q_OBJECT
public:
    UploadActions(TCMForm& form, qs::AppState& app, qs::UserInterface& ui, PublishActions& publish,
                  UploadPasswords& passwords);

    void uploadSettings();
    void upload();
    void fetchOrders();

    // Asks for the password of a login none is kept for; nothing when cancelled.
    // A password dialog unless replaced (the tests answer it).
    std::function<std::optional<std::string>(const QString& prompt)> passwordPrompt;

    TUploadSettingsForm& settingsForm() const { return *settingsForm_; }
    TOrdersForm& ordersForm() const { return *ordersForm_; }

private:
    struct Login {
        qs::UploadSettings settings;
        std::string password;
        enum class Source { KeyFile, Kept, Typed } source = Source::KeyFile;
    };
    // The shop's settings, the dialog shown first when they name no host or
    // no user, and the password: none with a key file, else the one kept in
    // the keyring (or for this session), or asked for. Nothing when the
    // dialog or question is cancelled.
    std::optional<Login> login();
    // A session with the host, logged in and its key met and checked (an
    // unknown key shown and accepted or not); nothing when the merchant
    // refused the key or gave no new password for a kept one the host
    // refused. A typed password that logged in is kept, replacing the old.
    std::unique_ptr<qs::RemoteHost> connect(Login login);
    std::optional<std::string> askPassword(const qs::UploadSettings& settings, const std::string& reason);
    void uploadShop();
    void fetchShopOrders();
    bool confirmDeletion(const std::vector<std::string>& paths);
    // A question whose Yes changes or deletes files on the host, asked with the progress window put aside.
    bool confirmOnHost(const std::string& question);

    TCMForm& form_;
    qs::AppState& app_;
    qs::UserInterface& ui_;
    PublishActions& publish_;
    SessionPasswords passwords_;
    TUploadSettingsForm* settingsForm_;
    TOrdersForm* ordersForm_;
};

} // namespace qs::gui
