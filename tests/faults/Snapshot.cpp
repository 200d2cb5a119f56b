#include "Snapshot.h"

#include "core/text/AtomicFile.h"
#include "core/text/ReadFile.h"

#include <initializer_list>
#include <optional>
#include <set>

namespace qs::faults {
namespace fs = std::filesystem;

namespace {

bool temporary(const std::string& path)
{
    return fs::path(path).filename().string().find(AtomicFileWriter::temporaryMark) != std::string::npos;
}

std::optional<std::string> version(const Snapshot& files, const std::string& path)
{
    const auto found = files.find(path);
    return found == files.end() ? std::nullopt : std::optional<std::string>(found->second);
}

// Every path of the snapshots but those of temporary files.
std::set<std::string> pathsIn(std::initializer_list<const Snapshot*> snapshots)
{
    std::set<std::string> paths;
    for (const Snapshot* files : snapshots)
        for (const auto& [path, bytes] : *files)
            if (!temporary(path))
                paths.insert(path);
    return paths;
}

} // namespace

Snapshot snapshotOf(const fs::path& folder)
{
    Snapshot files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files.emplace(fs::relative(entry.path(), folder).string(), readFileBytes(entry.path().string()));
    return files;
}

std::vector<std::string> temporariesIn(const Snapshot& files)
{
    std::vector<std::string> found;
    for (const auto& [path, bytes] : files)
        if (temporary(path))
            found.push_back(path);
    return found;
}

std::vector<std::string> tornFiles(const Snapshot& before, const Snapshot& after, const Snapshot& now)
{
    std::vector<std::string> torn;
    for (const std::string& path : pathsIn({&before, &after, &now})) {
        const auto current = version(now, path);
        if (current != version(before, path) && current != version(after, path))
            torn.push_back(path);
    }
    return torn;
}

std::vector<std::string> changedFiles(const Snapshot& from, const Snapshot& to)
{
    std::vector<std::string> changed;
    for (const std::string& path : pathsIn({&from, &to}))
        if (version(from, path) != version(to, path))
            changed.push_back(path);
    return changed;
}

} // namespace qs::faults
