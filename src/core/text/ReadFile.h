#pragma once

#include <string>

namespace qs {

// The whole file as bytes; throws FileError("Cannot open file ...").
std::string readFileBytes(const std::string& path);

} // namespace qs
