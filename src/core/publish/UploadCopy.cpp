#include "core/publish/UploadCopy.h"

#include "core/text/AtomicFile.h"
#include "core/text/FileError.h"
#include "core/text/FileOps.h"
#include "core/text/JoinPath.h"
#include "core/ui/Progress.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace qs {
namespace fs = std::filesystem;

namespace {

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

UploadSelection selectForUpload(const std::string& source, const std::vector<std::string>& shopFolders)
{
    const std::vector<fs::path> shop = canonicalFolders(shopFolders);
    UploadSelection selection;
    std::vector<fs::path> entries;
    std::error_code ec;
    for (fs::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(it->path());
    if (ec) {
        selection.notExported.push_back(FileError::cannotOpen(source).what());
        selection.sourceRead = false;
    }
    // In name order, so that what is listed reads the same at every export.
    std::sort(entries.begin(), entries.end());

    for (const fs::path& path : entries) {
        const std::string name = path.filename().string();
        std::error_code typeError;
        // Sub-folders, links to folders and what an interrupted save left are
        // not part of the upload.
        if (fs::is_directory(path, typeError) || isSaveTemporaryName(name))
            continue;
        const fs::file_type type = fs::symlink_status(path, typeError).type();
        if (name.front() == '.') {
            selection.notExported.push_back(path.string() + " is a hidden file and was not exported.");
            continue;
        }
        if (type == fs::file_type::symlink) {
            // A broken link is told by the copy.
            if (fs::exists(path, typeError) && !linkStaysInShop(path, shop)) {
                selection.notExported.push_back(path.string() +
                                                " leads out of the shop's folders and was not exported.");
                continue;
            }
        } else if (type != fs::file_type::regular) {
            selection.notExported.push_back(
                path.string() + " is not a plain file (a pipe, socket or device) and was not exported.");
            continue;
        }
        selection.files.push_back(path.string());
    }
    return selection;
}

std::vector<std::string> copyForUpload(const std::vector<std::string>& files, const std::string& target,
                                       Progress& progress, std::string_view label)
{
    std::vector<std::string> notCopied;
    if (files.empty())
        return notCopied;
    removeStrayTemporaries(target);
    progress.setLabel(label);
    progress.setRange(0, static_cast<long long>(files.size()));
    progress.setPosition(0);
    progress.show();
    for (const std::string& file : files) {
        try {
            copyFileReplacingOrThrow(file, joinPath(target, fs::path(file).filename().string()),
                                     AtomicFileWriter::Leftovers::AlreadyRemoved, FileAccess::Published);
        } catch (const FileError& error) {
            notCopied.emplace_back(error.what());
        }
        progress.step();
    }
    progress.hide();
    return notCopied;
}

std::vector<std::string> copyFolderForUpload(const std::string& source, const std::string& target,
                                             const std::vector<std::string>& shopFolders, Progress& progress,
                                             std::string_view label)
{
    UploadSelection selection = selectForUpload(source, shopFolders);
    std::vector<std::string> notCopied = copyForUpload(selection.files, target, progress, label);
    selection.notExported.insert(selection.notExported.end(), notCopied.begin(), notCopied.end());
    // A source that could not be read says nothing about what the shop has.
    if (selection.sourceRead) {
        std::vector<std::string> kept;
        for (const std::string& file : selection.files)
            kept.push_back(fs::path(file).filename().string());
        std::vector<std::string> notRemoved = pruneUploadFolder(target, kept);
        selection.notExported.insert(selection.notExported.end(), notRemoved.begin(), notRemoved.end());
    }
    return selection.notExported;
}

std::vector<std::string> pruneUploadFolder(const std::string& folder, const std::vector<std::string>& kept)
{
    const std::set<std::string> keep(kept.begin(), kept.end());
    std::vector<fs::path> gone;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (!name.starts_with('.') && !keep.contains(name) && !it->is_directory(typeError))
            gone.push_back(it->path());
    }
    std::vector<std::string> notRemoved;
    for (const fs::path& path : gone) {
        std::error_code removeError;
        if (!fs::remove(path, removeError) && removeError)
            notRemoved.push_back(path.string() + " is no longer in the shop but could not be removed from "
                                                 "the upload directory: " +
                                 removeError.message());
    }
    return notRemoved;
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
