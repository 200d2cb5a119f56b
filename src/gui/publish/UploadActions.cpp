#include "gui/publish/UploadActions.h"

#include "core/app/AppState.h"
#include "core/publish/FetchOrders.h"
#include "core/publish/RemoteHost.h"
#include "core/publish/Upload.h"
#include "core/publish/UploadFolderAge.h"
#include "core/ui/Progress.h"
#include "core/ui/UserInterface.h"
#include "gui/app/HelpViewer.h"
#include "gui/app/TCMForm.h"
#include "gui/publish/PublishActions.h"
#include "gui/publish/TOrdersForm.h"
#include "gui/publish/TUploadSettingsForm.h"
#include "gui/publish/UploadPasswords.h"

#include <QAction>
#include <QInputDialog>
#include <QLineEdit>

namespace qs::gui {
namespace {

// At most this many names in a question; the rest are counted.
constexpr std::size_t namesListed = 15;

std::string listed(const std::vector<std::string>& paths)
{
    std::string text;
    for (std::size_t i = 0; i < paths.size() && i < namesListed; ++i)
        text += "\n    " + paths[i];
    if (paths.size() > namesListed)
        text += "\n    ... and " + std::to_string(paths.size() - namesListed) + " more";
    return text;
}

std::string plural(std::size_t count, const std::string& one)
{
    return std::to_string(count) + " " + one + (count == 1 ? "" : "s");
}

// The shared progress window, shown with Cancel for the time of one command.
class ShownProgress {
public:
    ShownProgress(qs::Progress& progress, std::string_view label) : progress_(progress)
    {
        progress_.setLabel(label);
        // A bar that only shows the work goes on, until the sending measures it.
        progress_.setRange(0, 0);
        progress_.setPosition(0);
        progress_.offerCancel(true);
        progress_.show();
    }
    ~ShownProgress()
    {
        progress_.hide();
        progress_.offerCancel(false);
    }
    ShownProgress(const ShownProgress&) = delete;
    ShownProgress& operator=(const ShownProgress&) = delete;

    qs::Progress& window() { return progress_; }

private:
    qs::Progress& progress_;
};

} // namespace

UploadActions::UploadActions(TCMForm& form, qs::AppState& app, qs::UserInterface& ui, PublishActions& publish,
                             UploadPasswords& passwords)
    : QObject(&form), form_(form), app_(app), ui_(ui), publish_(publish), passwords_(passwords),
      settingsForm_(new TUploadSettingsForm(app, ui, passwords_, &form)),
      ordersForm_(new TOrdersForm(app, ui, &form))
{
    // The orders shown are the open shop's: another shop, or none, closes them.
    QObject::connect(&form_, &TCMForm::shopOpenChanged, ordersForm_, &QWidget::close);
    passwordPrompt = [this](const QString& prompt) -> std::optional<std::string> {
        bool ok = false;
        const QString typed =
            QInputDialog::getText(&form_, "Upload Password", prompt, QLineEdit::Password, QString(), &ok);
        return ok ? std::optional<std::string>(typed.toStdString()) : std::nullopt;
    };
    const TCMForm::Actions& a = form_.actions();
    QObject::connect(a.uploadSettings, &QAction::triggered, this, &UploadActions::uploadSettings);
    QObject::connect(a.upload, &QAction::triggered, this, &UploadActions::upload);
    QObject::connect(a.fetchOrders, &QAction::triggered, this, &UploadActions::fetchOrders);
    QObject::connect(settingsForm_, &TUploadSettingsForm::helpRequested, &form_.helpViewer(),
                     &HelpViewer::showTopic);
}

void UploadActions::uploadSettings()
{
    form_.runCommand([this] { settingsForm_->execute(); });
}

std::optional<UploadActions::Login> UploadActions::login()
{
    Login login{qs::loadUploadSettings(app_), {}};
    if (login.settings.host.empty() || login.settings.user.empty()) {
        ui_.message("Before the first upload, please say how your shop reaches your web host.",
                    MessageKind::Information);
        if (!settingsForm_->execute())
            return std::nullopt;
        login.settings = qs::loadUploadSettings(app_);
    }
    const qs::UploadSettings& settings = login.settings;
    if (settings.protocol == qs::UploadSettings::Protocol::Sftp && !settings.keyFile.empty())
        return login;
    if (auto kept = passwords_.read(qs::uploadPasswordName(app_, settings))) {
        login.password = std::move(*kept);
        login.source = Login::Source::Kept;
        return login;
    }
    const auto typed = askPassword(settings, {});
    if (!typed)
        return std::nullopt;
    login.password = *typed;
    login.source = Login::Source::Typed;
    return login;
}

std::optional<std::string> UploadActions::askPassword(const qs::UploadSettings& settings,
                                                      const std::string& reason)
{
    const QString user = QString::fromStdString(settings.user);
    const QString host = QString::fromStdString(settings.host);
    QString prompt = QStringLiteral("The password of %1 on %2:").arg(user, host);
    if (!reason.empty())
        prompt = QStringLiteral("The password kept for %1 on %2 did not log in (%3). Please type it again.\n")
                     .arg(user, host, QString::fromStdString(reason)) +
                 prompt;
    return passwordPrompt(prompt);
}

std::unique_ptr<qs::RemoteHost> UploadActions::connect(Login shopLogin)
{
    const qs::UploadSettings& settings = shopLogin.settings;
    const std::string keptAs = qs::uploadPasswordName(app_, settings);
    bool acceptNewHostKey = false;
    for (;;) {
        auto host = std::make_unique<qs::RemoteHost>(qs::RemoteHost::Login{
            settings, shopLogin.password, qs::uploadKnownHostsFile(app_), acceptNewHostKey});
        host->whileWaiting([this](std::uint64_t) {
            ui_.progress().step();
            return !ui_.progress().cancelRequested();
        });
        try {
            // Listing the CGI folder logs in and meets the host's key.
            host->list(qs::hostPath(settings, "cgi"));
            // A password typed for this upload has proved right: it is kept
            // for the next, in the keyring where there is one.
            std::string unused;
            if (shopLogin.source == Login::Source::Typed)
                passwords_.store(keptAs, shopLogin.password, unused);
            return host;
        } catch (const qs::LoginRefused& error) {
            // A kept password that stopped working is asked for again; the
            // kept one goes only when the new one has logged in.
            if (shopLogin.source != Login::Source::Kept)
                throw;
            ui_.progress().hide();
            const auto typed = askPassword(settings, error.what());
            if (!typed)
                return nullptr;
            ui_.progress().show();
            shopLogin.password = *typed;
            shopLogin.source = Login::Source::Typed;
        } catch (const qs::HostKeyError& error) {
            if (error.kind == qs::HostKeyError::Kind::Changed || acceptNewHostKey)
                throw;
            ui_.progress().hide();
            const std::string question = std::string(error.what()) + "\n\nAccept this key and go on?";
            if (ui_.ask(question, MessageKind::Confirmation, Buttons::YesNo) != Answer::Yes)
                return nullptr;
            ui_.progress().show();
            acceptNewHostKey = true;
        }
    }
}

void UploadActions::upload()
{
    form_.runCommand([this] { uploadShop(); });
}

bool UploadActions::confirmDeletion(const std::vector<std::string>& paths)
{
    return confirmOnHost("Your web host still has " + plural(paths.size(), "file") +
                         " that your shop no longer has:" + listed(paths) + "\n\nDelete " +
                         (paths.size() == 1 ? "it" : "them") + " on your web host?");
}

bool UploadActions::confirmOnHost(const std::string& question)
{
    ui_.progress().hide();
    const bool agreed = ui_.ask(question, MessageKind::Confirmation, Buttons::NoYes) == Answer::Yes;
    ui_.progress().show();
    return agreed;
}

void UploadActions::uploadShop()
{
    const std::optional<Login> login = this->login();
    if (!login)
        return;
    const qs::UploadSettings& settings = login->settings;
    // What is typed but not saved yet belongs to the shop as much as what is.
    if (app_.CatalogueModified() || qs::uploadFolderOutOfDate(app_)) {
        const qs::ExportOutcome exported = publish_.exportShop(qs::ExportRun::BeforeUpload);
        if (exported == qs::ExportOutcome::Incomplete || exported == qs::ExportOutcome::NotSaved)
            ui_.message("Nothing was uploaded: a half-built shop would replace your shop on the web host. "
                        "Please put right what was told, then upload again.",
                        MessageKind::Warning);
        if (exported != qs::ExportOutcome::Complete)
            return;
    }

    ShownProgress shown(ui_.progress(), "Connecting to " + settings.host + "...");
    qs::Progress& window = shown.window();
    qs::UploadReport report;
    try {
        const auto host = connect(*login);
        if (!host)
            return;
        window.setLabel("Comparing your shop with the last upload...");
        qs::UploadOptions options;
        options.comparing = [&](std::size_t) {
            window.step();
            return !window.cancelRequested();
        };
        options.confirmDeletion = [this](const std::vector<std::string>& paths) {
            return confirmDeletion(paths);
        };
        options.confirmOtherShop = [this](const std::string& question) { return confirmOnHost(question); };
        std::size_t labelled = 0;
        options.progress = [&](const qs::UploadProgress& progress) {
            if (progress.fileNumber != labelled) {
                labelled = progress.fileNumber;
                window.setLabel("Sending " + progress.file + " (" + std::to_string(progress.fileNumber) +
                                " of " + std::to_string(progress.fileCount) + ")");
                window.setRange(0, static_cast<long long>(progress.totalSize / 1024 + 1));
            }
            window.setPosition(static_cast<long long>(progress.totalSent / 1024));
            return !window.cancelRequested();
        };
        report = qs::runUpload(app_, settings, *host, options);
    } catch (const qs::UploadCancelled&) {
        window.hide();
        ui_.message("The upload was cancelled. What was sent is kept: upload again to send the rest.",
                    MessageKind::Information);
        return;
    }
    window.hide();
    std::string told =
        report.sent.empty()
            ? "Your web host has your shop as it is: no file needed sending."
            : "Your shop is on your web host: " + plural(report.sent.size(), "file") + " sent.";
    if (!report.deleted.empty())
        told += "\n" + plural(report.deleted.size(), "file") + " deleted on your web host.";
    if (!report.changedOnHost.empty())
        told += "\n\nChanged or removed on your web host since the last upload, and sent again where your "
                "shop has them:" +
                listed(report.changedOnHost);
    if (!report.noLongerInShop.empty())
        told +=
            "\n\nKept on your web host, though your shop no longer has them:" + listed(report.noLongerInShop);
    ui_.message(told, report.changedOnHost.empty() ? MessageKind::Information : MessageKind::Warning);
}

void UploadActions::fetchOrders()
{
    form_.runCommand([this] { fetchShopOrders(); });
}

void UploadActions::fetchShopOrders()
{
    const std::optional<Login> login = this->login();
    if (!login)
        return;
    std::vector<qs::FetchedOrder> fetched;
    {
        ShownProgress shown(ui_.progress(), "Fetching orders from " + login->settings.host + "...");
        try {
            const auto host = connect(*login);
            if (!host)
                return;
            fetched = qs::fetchNewOrders(app_, login->settings, *host);
        } catch (const qs::UploadCancelled&) {
            return;
        }
    }
    ordersForm_->showOrders(fetched);
}

} // namespace qs::gui
