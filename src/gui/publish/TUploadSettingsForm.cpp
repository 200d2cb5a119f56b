#include "gui/publish/TUploadSettingsForm.h"

#include "core/app/AppState.h"
#include "core/text/FileError.h"
#include "core/ui/UserInterface.h"
#include "gui/publish/UploadPasswords.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qs::gui {
namespace {

using Protocol = qs::UploadSettings::Protocol;
constexpr Protocol protocols[] = {Protocol::Sftp, Protocol::Ftps, Protocol::Ftp};
constexpr int pathCharacters = 36;

QString text(const std::string& bytes)
{
    return QString::fromStdString(bytes);
}

std::string bytes(const QLineEdit* edit)
{
    return edit->text().trimmed().toStdString();
}

QLineEdit* wideEdit(int characters)
{
    auto* edit = new QLineEdit;
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * characters);
    return edit;
}

QSpinBox* portBox(const QString& usual)
{
    auto* box = new QSpinBox;
    box->setRange(0, 65535);
    box->setSpecialValueText(usual);
    return box;
}

// A row of an edit and its button; the label's letter leads to the edit.
void addRowWithButton(QFormLayout* form, const QString& caption, QLineEdit* edit, QPushButton* button)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 1);
    layout->addWidget(button);
    auto* label = new QLabel(caption);
    label->setBuddy(edit);
    form->addRow(label, row);
}

} // namespace

TUploadSettingsForm::TUploadSettingsForm(qs::AppState& state, qs::UserInterface& ui,
                                         UploadPasswords& passwords, QWidget* parent)
    : OkCancelDialog("Upload Settings", {.helpTopic = helpTopic, .enter = EnterKey::PressesFocusedButton},
                     parent),
      state_(state), ui_(ui), passwords_(passwords)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildConnection());
    layout->addWidget(buildFolders());
    layout->addWidget(buildProxy());
    layout->addLayout(frameButtonRow());
}

QWidget* TUploadSettingsForm::buildConnection()
{
    auto* group = new QGroupBox("Web host");
    auto* form = new QFormLayout(group);
    ProtocolBox = new QComboBox;
    ProtocolBox->addItems({"SFTP (over SSH)", "FTP over TLS (FTPS)", "FTP (unencrypted)"});
    connect(ProtocolBox, &QComboBox::currentIndexChanged, this, &TUploadSettingsForm::chooseProtocol);
    HostEdit = wideEdit(pathCharacters);
    HostEdit->setPlaceholderText("e.g. ftp.example.com");
    PortEdit = portBox("Usual");
    PortEdit->setToolTip("Leave at Usual for the protocol's own port: 22 for SFTP, 21 for FTP and FTPS.");
    UserEdit = wideEdit(pathCharacters);
    PasswordEdit = wideEdit(pathCharacters);
    PasswordEdit->setEchoMode(QLineEdit::Password);
    KeyFileEdit = wideEdit(pathCharacters);
    KeyFileEdit->setToolTip("A private SSH key to log in with instead of a password.");
    KeyFileBtn = browseButton(KeyFileEdit, "SSH Key File", "&Browse...");
    CertificateEdit = wideEdit(pathCharacters);
    CertificateEdit->setToolTip("Only for a host whose certificate is of its own making: the certificate "
                                "file your host gives you to check it against.");
    CertificateBtn = browseButton(CertificateEdit, "Host's Certificate", "Bro&wse...");
    ForgetPasswordBtn = new QPushButton("&Forget");
    ForgetPasswordBtn->setToolTip("Forgets the password kept for this login: the next upload asks for it.");
    ForgetPasswordBtn->setAutoDefault(false);
    connect(ForgetPasswordBtn, &QPushButton::clicked, this, &TUploadSettingsForm::forgetPassword);
    form->addRow("&Protocol:", ProtocolBox);
    form->addRow("Hos&t:", HostEdit);
    form->addRow("Po&rt:", PortEdit);
    form->addRow("&User ID:", UserEdit);
    addRowWithButton(form, "P&assword:", PasswordEdit, ForgetPasswordBtn);
    addRowWithButton(form, "SSH &key file:", KeyFileEdit, KeyFileBtn);
    addRowWithButton(form, "Cert&ificate:", CertificateEdit, CertificateBtn);
    return group;
}

QWidget* TUploadSettingsForm::buildFolders()
{
    auto* group = new QGroupBox("Folders on the web host");
    auto* form = new QFormLayout(group);
    CGIFolderEdit = wideEdit(pathCharacters);
    CGIFolderEdit->setToolTip("Receives the shop's CGI folder. A folder not starting with / lies in the "
                              "folder your login starts in.");
    ImagesFolderEdit = wideEdit(pathCharacters);
    ImagesFolderEdit->setToolTip("Receives the shop's pictures.");
    form->addRow("C&GI folder:", CGIFolderEdit);
    form->addRow("I&mages folder:", ImagesFolderEdit);
    return group;
}

QWidget* TUploadSettingsForm::buildProxy()
{
    auto* group = new QGroupBox("Proxy (only if your network needs one)");
    auto* form = new QFormLayout(group);
    ProxyHostEdit = wideEdit(pathCharacters);
    ProxyPortEdit = portBox("None");
    form->addRow("Pro&xy host:", ProxyHostEdit);
    form->addRow("Prox&y port:", ProxyPortEdit);
    return group;
}

QPushButton* TUploadSettingsForm::browseButton(QLineEdit* edit, const QString& caption, const QString& text)
{
    auto* button = new QPushButton(text);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, edit, caption] {
        const QString start = edit->text().isEmpty() ? QDir::home().filePath(".ssh") : edit->text();
        if (const auto chosen = ui_.openFile(
                {caption.toStdString(), QFile::encodeName(start).toStdString(), "All Files (*)|*", {}}))
            edit->setText(QFile::decodeName(QByteArray::fromStdString(*chosen)));
    });
    return button;
}

void TUploadSettingsForm::showSettings(const qs::UploadSettings& settings)
{
    {
        const QSignalBlocker quiet(ProtocolBox);
        ProtocolBox->setCurrentIndex(
            int(std::find(std::begin(protocols), std::end(protocols), settings.protocol) -
                std::begin(protocols)));
    }
    shownProtocol_ = ProtocolBox->currentIndex();
    chooseProtocol(shownProtocol_);
    HostEdit->setText(text(settings.host));
    PortEdit->setValue(settings.port);
    UserEdit->setText(text(settings.user));
    PasswordEdit->clear();
    KeyFileEdit->setText(text(settings.keyFile));
    CertificateEdit->setText(text(settings.certificateFile));
    CGIFolderEdit->setText(text(settings.cgiFolder));
    ImagesFolderEdit->setText(text(settings.imagesFolder));
    const auto colon = settings.proxy.rfind(':');
    ProxyHostEdit->setText(text(settings.proxy.substr(0, colon)));
    ProxyPortEdit->setValue(
        colon == std::string::npos ? 0 : QString::fromStdString(settings.proxy.substr(colon + 1)).toInt());
    showKeptPassword(settings);
}

void TUploadSettingsForm::showKeptPassword(const qs::UploadSettings& settings)
{
    const bool kept = !settings.host.empty() && passwords_.read(qs::uploadPasswordName(state_, settings));
    PasswordEdit->setPlaceholderText(kept ? "kept: type to change it" : QString());
    ForgetPasswordBtn->setEnabled(kept);
}

void TUploadSettingsForm::forgetPassword()
{
    const qs::UploadSettings settings = typedSettings();
    passwords_.forget(qs::uploadPasswordName(state_, settings));
    showKeptPassword(settings);
    PasswordEdit->setFocus();
}

void TUploadSettingsForm::chooseProtocol(int index)
{
    if (index == 2 && shownProtocol_ != 2 &&
        ui_.ask(plainFtpWarning, MessageKind::Warning, qs::Buttons::NoYes) != Answer::Yes) {
        const QSignalBlocker quiet(ProtocolBox);
        ProtocolBox->setCurrentIndex(shownProtocol_);
        return;
    }
    shownProtocol_ = index;
    const bool sftp = index == 0;
    KeyFileEdit->setEnabled(sftp);
    KeyFileBtn->setEnabled(sftp);
    CertificateEdit->setEnabled(index == 1);
    CertificateBtn->setEnabled(index == 1);
}

qs::UploadSettings TUploadSettingsForm::typedSettings() const
{
    qs::UploadSettings settings;
    settings.protocol = protocols[std::max(0, ProtocolBox->currentIndex())];
    settings.host = bytes(HostEdit);
    settings.port = PortEdit->value();
    settings.user = bytes(UserEdit);
    settings.keyFile = bytes(KeyFileEdit);
    settings.certificateFile = bytes(CertificateEdit);
    settings.cgiFolder = bytes(CGIFolderEdit);
    settings.imagesFolder = bytes(ImagesFolderEdit);
    if (!bytes(ProxyHostEdit).empty())
        settings.proxy = bytes(ProxyHostEdit) + ":" + std::to_string(ProxyPortEdit->value());
    return settings;
}

bool TUploadSettingsForm::execute()
{
    showSettings(qs::loadUploadSettings(state_));
    HostEdit->setFocus();
    return exec() == QDialog::Accepted;
}

void TUploadSettingsForm::confirm()
{
    const qs::UploadSettings settings = typedSettings();
    const auto refuse = [this](std::string_view why, QWidget* edit) {
        ui_.message(why, MessageKind::Warning);
        edit->setFocus();
    };
    if (settings.host.empty())
        return refuse("Please give the name of your web host.", HostEdit);
    if (settings.user.empty())
        return refuse("Please give the user ID you log in to your web host with.", UserEdit);
    if (!settings.proxy.empty() && ProxyPortEdit->value() == 0)
        return refuse("Please give the proxy's port, or leave the proxy host empty.", ProxyPortEdit);
    try {
        qs::saveUploadSettings(state_, settings);
    } catch (const qs::FileError& error) {
        return ui_.message(error.what(), MessageKind::Error);
    }
    const std::string password = PasswordEdit->text().toStdString();
    std::string reason;
    if (!password.empty() && !passwords_.store(qs::uploadPasswordName(state_, settings), password, reason))
        ui_.message("Your desktop's keyring did not take the password (" + reason +
                        "). It is used until the program closes, then asked for again.",
                    MessageKind::Warning);
    OkCancelDialog::confirm();
}

} // namespace qs::gui
