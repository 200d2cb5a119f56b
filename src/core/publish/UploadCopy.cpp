#include "publish/UploadCopy.h"

#include "app/AppState.h"
#include "app/FileOps.h"
#include "text/AtomicFile.h"
#include "text/FileError.h"
#include "ui/Progress.h"

#include <algorithm>
#include <filesystem>

namespace qs {
namespace fs = std::filesystem;

namespace {

struct Entry {
    fs::path path;
    std::string name;
};

bool isWithin(const fs::path& path, const fs::path& root)
{
    return std::mismatch(root.begin(), root.end(), path.begin(), path.end()).first == root.end();
}

std::vector<fs::path> canonicalFolders(const std::vector<std::string>& folders)
{
    std::vector<fs::path> result;
    for (const std::string& folder : folders) {
        std::error_code ec;
        fs::path resolved = fs::canonical(folder, ec);
        if (!ec)
            result.push_back(std::move(resolved));
    }
    return result;
}

// Whether what a link leads to lies inside one of the shop's folders.
bool linkStaysInShop(const fs::path& link, const std::vector<fs::path>& shopFolders)
{
    std::error_code ec;
    const fs::path target = fs::canonical(link, ec);
    return !ec && std::any_of(shopFolders.begin(), shopFolders.end(),
                              [&](const fs::path& folder) { return isWithin(target, folder); });
}

} // namespace

std::vector<std::string> copyFolderForUpload(const std::string& source, const std::string& target,
                                             const std::vector<std::string>& shopFolders, Progress& progress,
                                             std::string_view label)
{
    const std::vector<fs::path> shop = canonicalFolders(shopFolders);
    std::vector<std::string> notExported;
    std::vector<Entry> files;
    std::error_code ec;
    for (fs::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.front() == '.')
            continue;
        std::error_code typeError;
        const fs::file_type type = it->symlink_status(typeError).type();
        if (type == fs::file_type::symlink) {
            // A link to a folder is a sub-folder; a broken one is told by the copy.
            if (fs::is_directory(it->path(), typeError))
                continue;
            if (fs::exists(it->path(), typeError) && !linkStaysInShop(it->path(), shop)) {
                notExported.push_back(it->path().string() +
                                      " leads out of the shop's folders and was not exported.");
                continue;
            }
        } else if (type != fs::file_type::regular) {
            continue;
        }
        files.push_back({it->path(), std::move(name)});
    }
    if (ec)
        notExported.push_back(FileError::cannotOpen(source).what());
    if (files.empty())
        return notExported;

    removeStrayTemporaries(target);
    progress.setLabel(label);
    progress.setRange(0, static_cast<long long>(files.size()));
    progress.setPosition(0);
    progress.show();
    for (const Entry& file : files) {
        try {
            copyFileReplacingOrThrow(file.path.string(), joinPath(target, file.name),
                                     AtomicFileWriter::Leftovers::AlreadyRemoved);
        } catch (const FileError& error) {
            notExported.emplace_back(error.what());
        }
        progress.step();
    }
    progress.hide();
    return notExported;
}

bool staysWithin(const std::string& folder, const std::string& root)
{
    std::error_code ec;
    const fs::path resolvedRoot = fs::weakly_canonical(root, ec);
    if (ec)
        return false;
    const fs::path resolved = fs::weakly_canonical(folder, ec);
    return !ec && isWithin(resolved, resolvedRoot);
}

} // namespace qs
