#include "core/publish/ServerDataFolders.h"

#include "core/text/FileError.h"

#include <filesystem>
#include <optional>

namespace qs {
namespace fs = std::filesystem;

namespace {

constexpr fs::perms writableByGroup =
    fs::perms::owner_all | fs::perms::group_all | fs::perms::others_read | fs::perms::others_exec;

// Why the folder could not be made writable by the group; nothing when it was.
std::optional<std::string> makeWritableFolder(const fs::path& folder)
{
    std::error_code ec;
    if (fs::symlink_status(folder, ec).type() == fs::file_type::not_found &&
        !fs::create_directory(folder, ec))
        return FileError::failed("Cannot create folder " + folder.string(), ec.value(), folder.string())
            .what();
    if (fs::symlink_status(folder, ec).type() != fs::file_type::directory)
        return folder.string() + " is not a folder, so the shop's scripts cannot keep their files there.";
    fs::permissions(folder, writableByGroup, fs::perm_options::replace, ec);
    if (ec)
        return FileError::failed("Cannot set the mode of folder " + folder.string(), ec.value(),
                                 folder.string())
            .what();
    return std::nullopt;
}

} // namespace

std::vector<std::string> prepareServerDataFolders(const std::string& dataFolder)
{
    std::vector<std::string> notPrepared;
    if (auto problem = makeWritableFolder(dataFolder))
        return {std::move(*problem)};
    for (const std::string_view name : serverDataFolders)
        if (auto problem = makeWritableFolder(fs::path(dataFolder) / name))
            notPrepared.push_back(std::move(*problem));
    return notPrepared;
}

} // namespace qs
