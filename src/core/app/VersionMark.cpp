#include "core/app/VersionMark.h"

#include "core/text/AtomicFile.h"
#include "core/text/FileError.h"
#include "core/text/JoinPath.h"
#include "core/text/ReadFile.h"

#include <filesystem>

namespace qs {

std::optional<std::string> readVersionMark(const std::string& folder, std::string_view markName)
{
    const std::string path = joinPath(folder, std::string(markName));
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
        return std::nullopt;
    try {
        std::string version = readFileBytes(path);
        while (!version.empty() && (version.back() == '\n' || version.back() == '\r'))
            version.pop_back();
        return version;
    } catch (const FileError&) {
        return std::string();
    }
}

void writeVersionMark(const std::string& folder, std::string_view markName, std::string_view version)
{
    AtomicFileWriter mark(joinPath(folder, std::string(markName)));
    mark.write(version);
    mark.write("\n");
    mark.commit();
}

} // namespace qs
