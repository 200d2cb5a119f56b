#include "core/publish/Upload.h"

#include "core/app/AppState.h"
#include "core/publish/Exporter.h"
#include "core/publish/HostDenyRules.h"
#include "core/publish/RemoteHost.h"
#include "core/publish/ServerDataFolders.h"
#include "core/publish/UploadManifest.h"
#include "core/publish/UploadPlan.h"
#include "core/settings/AdminPassword.h"
#include "core/text/Sha256.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace qs {
namespace fs = std::filesystem;
namespace {

// The manifest is written after this many files, so that an upload that is
// cut off sends again at most these.
constexpr std::size_t filesBetweenManifestWrites = 100;

struct ShopTree {
    UploadedFiles files;
    // Folders by their manifest path, parents first.
    std::vector<std::string> folders;
    std::map<std::string, std::string> localPaths;
};

bool isServerDataFolder(const std::string& path)
{
    return std::any_of(std::begin(serverDataFolders), std::end(serverDataFolders),
                       [&](std::string_view name) { return path == "cgi/data/" + std::string(name); });
}

// The files of one of the two folders; the folders the shop's scripts write
// in on the host are made, but what the host holds in them is its own.
void readTree(const std::string& root, const std::string& prefix, ShopTree& tree,
              const std::function<bool(std::size_t)>& comparing)
{
    if (!fs::is_directory(root))
        return;
    tree.folders.push_back(prefix);
    std::vector<fs::path> entries;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const std::string relative = prefix + "/" + fs::relative(it->path(), root).generic_string();
        // The host's rules are the one hidden file of the shop.
        const std::string name = it->path().filename().string();
        const bool hidden = name.starts_with('.') && name != hostRulesFileName;
        if (it->is_directory()) {
            if (hidden || isServerDataFolder(relative))
                it.disable_recursion_pending();
            if (!hidden)
                tree.folders.push_back(relative);
        } else if (it->is_regular_file() && !hidden) {
            tree.files[relative] = {std::uint64_t(it->file_size()), Sha256::hexOfFile(it->path().string())};
            tree.localPaths[relative] = it->path().string();
            if (comparing && !comparing(tree.files.size()))
                throw UploadCancelled();
        }
    }
    std::sort(tree.folders.begin(), tree.folders.end());
}

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

int uploadMode(const std::string& path)
{
    if (path == "cgi/" + std::string(adminPasswordFileName))
        return 0600;
    return isScript(path) ? 0755 : 0644;
}

UploadReport runUpload(const AppState& state, const UploadSettings& settings, RemoteHost& host,
                       const UploadOptions& options)
{
    ShopTree tree;
    readTree(uploadCGIDir(state), "cgi", tree, options.comparing);
    readTree(uploadImagesDir(state), "images", tree, options.comparing);

    const std::string manifestPath = uploadManifestFile(state);
    UploadManifest manifest = readUploadManifest(manifestPath, hostName(settings));
    const HostSizes onHost = listHost(host, settings, manifest.files);
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
    for (const std::string& folder : tree.folders)
        host.makeFolder(hostPath(settings, folder), folderMode(folder));
    for (const std::string_view name : serverDataFolders)
        host.makeFolder(hostPath(settings, "cgi/data/" + std::string(name)), 0775);

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
