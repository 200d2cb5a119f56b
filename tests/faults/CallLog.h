#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qs::faults {

// One call the fault library recorded (FaultShim.cpp).
struct Call {
    std::string kind;
    std::string path;
    std::string target; // of a rename or a link
    bool failed = false;
};

// The calls of the log in order; none when there is no log.
std::vector<Call> readCallLog(const std::string& path);

long countOf(const std::vector<Call>& calls, std::string_view kind);
bool anyFailed(const std::vector<Call>& calls);

// Where the calls break the order that keeps a save whole: each file renamed
// into place must have been flushed (fsync) after its last write and before
// the rename, and its folder flushed after the rename, before the next write
// (the files a save puts in place together are all written before the first
// rename).
std::vector<std::string> orderProblems(const std::vector<Call>& calls);

} // namespace qs::faults
