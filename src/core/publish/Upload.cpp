#include "core/publish/Upload.h"

#include "core/app/AppState.h"
#include "core/publish/Exporter.h"
#include "core/publish/RemoteHost.h"
#include "core/publish/ServerDataFolders.h"
#include "core/publish/UploadManifest.h"
#include "core/publish/UploadPlan.h"
#include "core/publish/UploadTree.h"
#include "core/settings/AdminPassword.h"
#include "core/settings/ShopSettingsFile.h"
#include "core/text/NameValueList.h"
#include "core/text/ReadFile.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace qs {
namespace fs = std::filesystem;
namespace {

// The manifest is written after this many files, so that an upload that is
// cut off sends again at most these.
constexpr std::size_t filesBetweenManifestWrites = 100;

std::string folderOf(const std::string& path)
{
    return path.substr(0, path.rfind('/'));
}

int folderMode(const std::string& folder)
{
    return folder == "cgi/data" || isServerDataFolder(folder) ? 0775 : 0755;
}

HostSizes listHost(RemoteHost& host, const UploadSettings& settings, const UploadedFiles& manifest)
{
    // The CGI folder is always listed: also a first upload, dry or not, meets
    // the host's key and login before anything else.
    std::set<std::string> folders{"cgi"};
    for (const auto& entry : manifest)
        folders.insert(folderOf(entry.first));
    HostSizes sizes;
    for (const std::string& folder : folders)
        for (const RemoteEntry& entry : host.list(hostPath(settings, folder)))
            if (!entry.folder)
                sizes[folder + "/" + entry.name] = entry.size;
    return sizes;
}

// The folders of the upload the host has already, each found in its
// parent's listing; these keep the modes the host's owner gave them.
std::set<std::string> foldersOnHost(RemoteHost& host, const UploadSettings& settings,
                                    const std::set<std::string>& folders)
{
    std::map<std::string, std::set<std::string>> namesByParent;
    std::set<std::string> there;
    for (const std::string& folder : folders) {
        const std::string path = hostPath(settings, folder);
        // The login's own folder, or the root: there, and never the shop's to change.
        if (path == "." || path == "/") {
            there.insert(folder);
            continue;
        }
        const auto slash = path.rfind('/');
        const std::string parent =
            slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
        const auto [names, fresh] = namesByParent.try_emplace(parent);
        if (fresh)
            for (const RemoteEntry& entry : host.list(parent))
                names->second.insert(entry.name);
        if (names->second.contains(path.substr(slash == std::string::npos ? 0 : slash + 1)))
            there.insert(folder);
    }
    return there;
}

void makeFolders(RemoteHost& host, const UploadSettings& settings, const UploadTree& tree)
{
    std::set<std::string> folders(tree.folders.begin(), tree.folders.end());
    for (const std::string_view name : serverDataFolders)
        folders.insert("cgi/data/" + std::string(name));
    const std::set<std::string> there = foldersOnHost(host, settings, folders);
    for (const std::string& folder : folders)
        if (!there.contains(folder))
            host.makeFolder(hostPath(settings, folder), folderMode(folder));
}

std::string otherShopFound(const std::string& folder, const std::string& theirScripts)
{
    return "The folder " + folder + " on the host holds another shop's files (its " +
           std::string(settingsFileName) + " places that shop's scripts at " +
           (theirScripts.empty() ? std::string("an address it does not name") : theirScripts) + ").";
}

// The shop's scripts address, as its settings file names it.
std::string cgiPathOf(const std::string& settingsBytes)
{
    return std::string(NameValueList::fromText(settingsBytes).value("CGIPATH"));
}

// A settings file on the host that this shop did not send there, naming
// another address for its scripts, is another shop's: uploading would
// replace its files.
void checkNoOtherShop(RemoteHost& host, const UploadSettings& settings, const UploadTree& tree,
                      const UploadManifest& manifest, const HostSizes& onHost, const UploadOptions& options)
{
    const std::string settingsPath = "cgi/" + std::string(settingsFileName);
    if (!onHost.contains(settingsPath) || manifest.files.contains(settingsPath))
        return;
    const std::string theirs = cgiPathOf(host.fetch(hostPath(settings, settingsPath)));
    const auto local = tree.localPaths.find(settingsPath);
    const std::string ours = local == tree.localPaths.end() ? std::string() : cgiPathOf(readFileBytes(local->second));
    if (theirs == ours)
        return;
    const std::string folder = hostPath(settings, "cgi");
    if (!options.confirmOtherShop || !options.confirmOtherShop(otherShopQuestion(folder, theirs)))
        throw UploadError(otherShopRefusal(folder, theirs));
}

std::string hostName(const UploadSettings& settings)
{
    return settings.user + "@" + settings.host + ":" + std::to_string(settings.port) + " " +
           settings.cgiFolder + " " + settings.imagesFolder;
}

} // namespace

std::string hostPath(const UploadSettings& settings, const std::string& path)
{
    const bool images = path.starts_with("images");
    const std::string& base = images ? settings.imagesFolder : settings.cgiFolder;
    const std::string rest = path.substr(images ? 6 : 3);
    return base.empty() ? (rest.empty() ? "." : rest.substr(1)) : base + rest;
}

std::string otherShopRefusal(const std::string& folder, const std::string& theirScripts)
{
    return otherShopFound(folder, theirScripts) +
           " Nothing was sent: uploading there would replace that shop's files. Choose a folder of this shop's "
           "own in Upload Settings.";
}

std::string otherShopQuestion(const std::string& folder, const std::string& theirScripts)
{
    return otherShopFound(folder, theirScripts) +
           " Uploading there replaces that shop's files with this shop's.\nUpload into it all the same?";
}

int uploadMode(const std::string& path)
{
    if (path == "cgi/" + std::string(adminPasswordFileName))
        return 0600;
    return isScript(path) ? 0755 : 0644;
}

UploadReport runUpload(const AppState& state, const UploadSettings& settings, RemoteHost& host,
                       const UploadOptions& options)
{
    UploadTree tree;
    readUploadTree(uploadCGIDir(state), "cgi", tree, options.comparing);
    readUploadTree(uploadImagesDir(state), "images", tree, options.comparing);

    const std::string manifestPath = uploadManifestFile(state);
    UploadManifest manifest = readUploadManifest(manifestPath, hostName(settings));
    const HostSizes onHost = listHost(host, settings, manifest.files);
    checkNoOtherShop(host, settings, tree, manifest, onHost, options);
    const UploadPlan plan = planUpload(tree.files, manifest.files, onHost);

    UploadReport report;
    report.changedOnHost = plan.changedOnHost;
    report.noLongerInShop = plan.noLongerInShop;
    if (options.dryRun) {
        report.sent = plan.send;
        for (const std::string& path : plan.send)
            if (options.fileSent)
                options.fileSent(path);
        if (options.deleteRemoved)
            report.deleted = std::move(report.noLongerInShop);
        return report;
    }

    const bool deleting = options.deleteRemoved || (!plan.noLongerInShop.empty() && options.confirmDeletion &&
                                                    options.confirmDeletion(plan.noLongerInShop));
    makeFolders(host, settings, tree);

    UploadProgress progress;
    progress.fileCount = plan.send.size();
    for (const std::string& path : plan.send)
        progress.totalSize += tree.files[path].size;

    // What is on the host already counts, also when the upload stops half-way.
    for (auto it = manifest.files.begin(); it != manifest.files.end();)
        it = onHost.contains(it->first) || tree.files.contains(it->first) ? std::next(it)
                                                                          : manifest.files.erase(it);
    std::size_t unwritten = 0;
    try {
        for (const std::string& path : plan.send) {
            const UploadedFile& file = tree.files[path];
            ++progress.fileNumber;
            progress.file = path;
            progress.fileSize = file.size;
            const std::uint64_t before = progress.totalSent;
            const RemoteHost::Progress bytes = [&](std::uint64_t sent) {
                progress.fileSent = std::min(sent, file.size);
                progress.totalSent = before + progress.fileSent;
                return !options.progress || options.progress(progress);
            };
            // A file the host lost is not in the manifest until it is there again.
            manifest.files.erase(path);
            host.send(tree.localPaths[path], hostPath(settings, path), uploadMode(path), bytes);
            progress.totalSent = before + file.size;
            manifest.files[path] = file;
            report.sent.push_back(path);
            if (options.fileSent)
                options.fileSent(path);
            if (++unwritten == filesBetweenManifestWrites) {
                writeUploadManifest(manifestPath, manifest);
                unwritten = 0;
            }
        }
        if (deleting) {
            for (const std::string& path : plan.noLongerInShop) {
                host.remove(hostPath(settings, path));
                manifest.files.erase(path);
                report.deleted.push_back(path);
            }
            report.noLongerInShop.clear();
        }
    } catch (...) {
        writeUploadManifest(manifestPath, manifest);
        throw;
    }
    writeUploadManifest(manifestPath, manifest);
    return report;
}

} // namespace qs
