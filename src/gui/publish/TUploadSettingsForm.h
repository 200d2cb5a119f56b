#pragma once

#include "core/publish/UploadSettings.h"

#include "gui/ui/OkCancelDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

class UploadPasswords;

// "Upload Settings": how the shop reaches its web host. The protocol (SFTP,
// FTP over TLS, or plain FTP once its warning is accepted), the host, port
// and login, a password or an SSH key file, the host's folders for the
// shop's two folders, a proxy. The settings are kept in the shop's folder;
// a password typed here goes to the desktop's keyring, never to a file, and
// a kept one can be forgotten.
class TUploadSettingsForm : public OkCancelDialog {
    Q_OBJECT
public:
    TUploadSettingsForm(qs::AppState& state, qs::UserInterface& ui, UploadPasswords& passwords,
                        QWidget* parent = nullptr);

    // Fills the dialog from the open shop's settings and shows it. On OK the
    // settings are saved and a typed password kept. True on OK.
    bool execute();

    static constexpr int helpTopic = 40;

    // In the order of the protocols: SFTP, FTPS, FTP.
    QComboBox* ProtocolBox = nullptr;
    QLineEdit* HostEdit = nullptr;
    // 0 shows "Usual" and stands for the protocol's own port.
    QSpinBox* PortEdit = nullptr;
    QLineEdit* UserEdit = nullptr;
    QLineEdit* PasswordEdit = nullptr;
    QPushButton* ForgetPasswordBtn = nullptr;
    QLineEdit* KeyFileEdit = nullptr;
    QPushButton* KeyFileBtn = nullptr;
    QLineEdit* CertificateEdit = nullptr;
    QPushButton* CertificateBtn = nullptr;
    QLineEdit* CGIFolderEdit = nullptr;
    QLineEdit* ImagesFolderEdit = nullptr;
    QLineEdit* ProxyHostEdit = nullptr;
    QSpinBox* ProxyPortEdit = nullptr;

    static constexpr const char* plainFtpWarning =
        "Plain FTP sends your password and your shop's files across the Internet unencrypted, where "
        "others may read them. Use SFTP or FTP over TLS if your host offers either.\nUse plain FTP all the "
        "same?";

private:
    QWidget* buildConnection();
    QWidget* buildFolders();
    QWidget* buildProxy();
    // A file chosen by dialog into the edit.
    QPushButton* browseButton(QLineEdit* edit, const QString& caption, const QString& text);
    void showSettings(const qs::UploadSettings& settings);
    void showKeptPassword(const qs::UploadSettings& settings);
    void forgetPassword();
    void chooseProtocol(int index);
    qs::UploadSettings typedSettings() const;
    void confirm() override;

    qs::AppState& state_;
    qs::UserInterface& ui_;
    UploadPasswords& passwords_;
    // The protocol shown before the one being chosen.
    int shownProtocol_ = 0;
};

} // namespace qs::gui
