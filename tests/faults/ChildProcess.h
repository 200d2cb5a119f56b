#pragma once

#include <string>
#include <utility>
#include <vector>

namespace qs::faults {

struct ChildOutcome {
    // The exit status, or -1 when the child ended by a signal (a crash).
    int status = -1;
    std::string err;
};

using Environment = std::vector<std::pair<std::string, std::string>>;

// Runs a program with this process's environment plus the variables given,
// its standard output discarded and its standard error kept in errFile.
ChildOutcome runChild(const std::vector<std::string>& arguments, const Environment& extra,
                      const std::string& errFile);

} // namespace qs::faults
