#include "core/app/ProgramFolderUpdate.h"

#include "core/settings/ShopPaths.h"
#include "core/text/FileError.h"
#include "core/text/FileOps.h"

#include <filesystem>

namespace qs {
namespace fs = std::filesystem;

namespace {

bool entryExists(const fs::path& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

} // namespace

bool replacedByMaster(const std::string& relativePath)
{
    const fs::path path(relativePath);
    // The program's own files: its help, its tool-bar bitmaps and the
    // preview server's configuration, which no merchant edits.
    const fs::path top = *path.begin();
    if (top == "Help" || top == "Buttons" || path == fs::path("lighttpd/preview.conf"))
        return path.has_parent_path();
    if (path.parent_path() != fs::path(programScriptsFolder))
        return false;
    const fs::path name = path.filename();
    return name.extension() == ".pl" || name.extension() == ".pm" || name == allScriptsListName ||
           name == shopScriptsListName;
}

void updateFromMaster(const std::string& master, const std::string& folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        throw FileError::failed("Cannot create folder " + folder, ec.value(), folder);
    fs::recursive_directory_iterator it(master, ec);
    if (ec)
        throw FileError::failed("Cannot read folder " + master, ec.value(), master);
    for (const fs::recursive_directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            throw FileError::failed("Cannot read folder " + master, ec.value(), master);
        const std::string relative = it->path().lexically_relative(master).string();
        const fs::path target = fs::path(folder) / relative;
        const fs::file_type type = it->symlink_status(ec).type();
        if (type == fs::file_type::directory) {
            if (!entryExists(target))
                MakeDirPath(target.string());
            // A file where the master has a folder is the merchant's: left alone, with all below it.
            else if (!fs::is_directory(target, ec))
                it.disable_recursion_pending();
        } else if (type == fs::file_type::regular && (replacedByMaster(relative) || !entryExists(target))) {
            copyFileReplacingOrThrow(it->path().string(), target.string());
        }
    }
}

} // namespace qs
