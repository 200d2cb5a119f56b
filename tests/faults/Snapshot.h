#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace qs::faults {

// Every regular file under a folder, by its path from the folder, with its bytes.
using Snapshot = std::map<std::string, std::string>;

Snapshot snapshotOf(const std::filesystem::path& folder);

// The files whose names carry the mark of a save's temporary file.
std::vector<std::string> temporariesIn(const Snapshot& files);

// The files (temporaries aside) whose bytes are neither those they had
// before nor those they have after the operation; a missing file counts as
// a version of its own.
std::vector<std::string> tornFiles(const Snapshot& before, const Snapshot& after, const Snapshot& now);

// The files (temporaries aside) whose bytes differ between two snapshots, a
// missing file counting as a version of its own.
std::vector<std::string> changedFiles(const Snapshot& from, const Snapshot& to);

} // namespace qs::faults
