#include "cli/Commands.h"

#include "cli/ChooseShop.h"
#include "cli/CliContext.h"
#include "core/app/AppState.h"
#include "core/publish/Exporter.h"
#include "core/publish/FetchOrders.h"
#include "core/publish/RemoteHost.h"
#include "core/publish/Upload.h"
#include "core/publish/UploadFolderAge.h"
#include "core/publish/UploadSettings.h"
#include "gui/publish/KeyringPasswords.h"

#include <CLI/CLI.hpp>

#include <cstdlib>
#include <memory>
#include <optional>

namespace qs::cli {
namespace {

// The export of the open shop with its confirmation answered Yes. The
// settings dialogs that would put missing mail settings right need a person:
// their message is told and the export stops before building anything. The
// warnings of a shop that cannot take orders properly are told, each on a
// line of its own, and the export goes on.
bool exportOpenShop(CliContext& context, ExportRun run = ExportRun::Alone)
{
    context.ui.setAssumeYes(true);
    const ExportDialogs noDialogs{[] { return false; }, [] { return false; },
                                  [&](const std::vector<std::string>& warnings) {
                                      for (const std::string& warning : warnings)
                                          context.ui.message("warning: " + warning, MessageKind::Warning);
                                      return true;
                                  }};
    return ExportCommand(context.state(), context.ui, noDialogs, run) == ExportOutcome::Complete;
}

bool exportShop(CliContext& context, const std::string& name)
{
    return openNamedShop(context, name) && exportOpenShop(context);
}

struct SettingsArguments {
    std::string shop;
    std::optional<std::string> protocol, host, user, key, cgiDir, imagesDir, proxy, certificate;
    std::optional<int> port;
};

bool changeUploadSettings(CliContext& context, const SettingsArguments& arguments)
{
    if (!openNamedShop(context, arguments.shop))
        return false;
    UploadSettings settings = loadUploadSettings(context.state());
    if (arguments.protocol)
        parseProtocol(*arguments.protocol, settings.protocol);
    const auto set = [](const std::optional<std::string>& given, std::string& value) {
        if (given)
            value = *given;
    };
    set(arguments.host, settings.host);
    set(arguments.user, settings.user);
    set(arguments.key, settings.keyFile);
    set(arguments.cgiDir, settings.cgiFolder);
    set(arguments.imagesDir, settings.imagesFolder);
    set(arguments.proxy, settings.proxy);
    set(arguments.certificate, settings.certificateFile);
    if (arguments.port)
        settings.port = *arguments.port;
    saveUploadSettings(context.state(), settings);
    context.out << describeUploadSettings(settings);
    return true;
}

struct UploadArguments {
    std::string shop;
    bool dryRun = false;
    bool acceptNewHostKey = false;
    bool deleteRemoved = false;
    bool intoOtherShopsFolder = false;
};

// The password: none with a key, else the environment's, else the one the
// desktop's keyring keeps for the login (none when no keyring answers).
std::string uploadPassword(const AppState& state, const UploadSettings& settings)
{
    if (settings.protocol == UploadSettings::Protocol::Sftp && !settings.keyFile.empty())
        return {};
    if (const char* password = std::getenv("QUAYSTALL_UPLOAD_PASSWORD"))
        return password;
    return gui::KeyringPasswords().read(uploadPasswordName(state, settings)).value_or(std::string());
}

// Opens the shop and a session with its host; nothing when the shop cannot
// be opened or has no host yet.
std::unique_ptr<RemoteHost> connectShop(CliContext& context, const std::string& shop, bool acceptNewHostKey,
                                        UploadSettings& settings)
{
    if (!openNamedShop(context, shop))
        return nullptr;
    settings = loadUploadSettings(context.state());
    if (settings.host.empty()) {
        context.ui.message("The shop has no web host to upload to yet: set it with upload-settings --host.",
                           MessageKind::Error);
        return nullptr;
    }
    return std::make_unique<RemoteHost>(RemoteHost::Login{settings, uploadPassword(context.state(), settings),
                                                          uploadKnownHostsFile(context.state()),
                                                          acceptNewHostKey});
}

bool uploadShop(CliContext& context, const UploadArguments& arguments)
{
    UploadSettings settings;
    const auto host = connectShop(context, arguments.shop, arguments.acceptNewHostKey, settings);
    if (!host)
        return false;
    if (uploadFolderOutOfDate(context.state()) && !exportOpenShop(context, ExportRun::BeforeUpload))
        return false;
    UploadOptions options;
    options.dryRun = arguments.dryRun;
    options.deleteRemoved = arguments.deleteRemoved;
    if (arguments.intoOtherShopsFolder)
        options.confirmOtherShop = [](const std::string&) { return true; };
    options.fileSent = [&](const std::string& path) { context.out << "sent " << path << '\n'; };
    const UploadReport report = runUpload(context.state(), settings, *host, options);
    for (const std::string& path : report.changedOnHost)
        context.ui.message("changed on the host since the last upload: " + path, MessageKind::Warning);
    for (const std::string& path : report.noLongerInShop)
        context.ui.message("no longer in the shop, kept on the host (--delete deletes it): " + path,
                           MessageKind::Warning);
    for (const std::string& path : report.deleted)
        context.out << "deleted " << path << '\n';
    context.out << "files sent: " << report.sent.size() << '\n'
                << "files deleted: " << report.deleted.size() << '\n';
    return true;
}

bool fetchOrders(CliContext& context, const std::string& shop)
{
    UploadSettings settings;
    const auto host = connectShop(context, shop, false, settings);
    if (!host)
        return false;
    for (const FetchedOrder& order : fetchNewOrders(context.state(), settings, *host)) {
        if (order.numberTakenBefore)
            context.ui.message(numberTakenBeforeMessage(order), MessageKind::Warning);
        context.out << orderLine(order) << '\n';
    }
    return true;
}

void addUploadSettingsCommand(CLI::App& app, CliContext& context)
{
    auto arguments = std::make_shared<SettingsArguments>();
    auto* sub = app.add_subcommand(
        "upload-settings", "Set where the shop is uploaded to (never the password) and print the settings");
    sub->add_option("shop", arguments->shop, "The shop's name")->required();
    sub->add_option("--protocol", arguments->protocol, "sftp (the default), ftps or ftp")
        ->check(CLI::IsMember({"sftp", "ftps", "ftp"}));
    sub->add_option("--host", arguments->host, "The web host's name or address");
    sub->add_option("--port", arguments->port, "The port; 0 for the protocol's own")
        ->check(CLI::Range(0, 65535));
    sub->add_option("--user", arguments->user, "The login name");
    sub->add_option("--key", arguments->key, "A private SSH key file to log in with instead of a password");
    sub->add_option("--cgi-dir", arguments->cgiDir, "The folder on the host that receives SHOP-cgi");
    sub->add_option("--images-dir", arguments->imagesDir, "The folder on the host that receives SHOP-images");
    sub->add_option("--proxy", arguments->proxy, "A proxy as HOST:PORT; empty for none");
    sub->add_option("--certificate", arguments->certificate,
                    "For FTPS: the certificate that vouches for a host's certificate of its own making");
    sub->callback([&context, arguments] {
        context.setCommand([arguments](CliContext& c) { return changeUploadSettings(c, *arguments); });
    });
}

void addUploadCommand(CLI::App& app, CliContext& context)
{
    auto arguments = std::make_shared<UploadArguments>();
    auto* sub =
        app.add_subcommand("upload", "Send what changed in the shop to its web host, exporting it first "
                                     "when the upload folder is older than the shop");
    sub->add_option("shop", arguments->shop, "The shop's name")->required();
    sub->add_flag("--dry-run", arguments->dryRun, "Tell what would be sent and deleted, sending nothing");
    sub->add_flag("--accept-new-host-key", arguments->acceptNewHostKey,
                  "Accept and remember the key of a host not met before");
    sub->add_flag("--into-other-shops-folder", arguments->intoOtherShopsFolder,
                  "Upload even into a CGI folder on the host that holds another shop's files, replacing them");
    sub->add_flag("--delete", arguments->deleteRemoved,
                  "Delete on the host the files the shop no longer has");
    sub->callback([&context, arguments] {
        context.setCommand([arguments](CliContext& c) { return uploadShop(c, *arguments); });
    });
}

} // namespace

void addPublishCommands(CLI::App& app, CliContext& context)
{
    addShopSubcommand(app, context, "export",
                      "Build the shop in the upload folder, ready to be copied to the web server",
                      exportShop);
    addUploadSettingsCommand(app, context);
    addUploadCommand(app, context);
    addShopSubcommand(app, context, "fetch-orders",
                      "Copy the new orders from the web host into the shop's data folder and list them",
                      fetchOrders);
}

} // namespace qs::cli
