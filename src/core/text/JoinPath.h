#pragma once

#include <string>

namespace qs {

// Joins two parts of a path with the platform's separator.
std::string joinPath(const std::string& folder, const std::string& name);

} // namespace qs
