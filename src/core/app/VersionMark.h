#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qs {

// A small file in a folder that says which version of the program last
// brought the folder's copies of the program's files up to date, so that an
// upgrade runs once for each version.

// The version the mark holds; nothing when the folder has no mark. A mark
// that cannot be read counts as an empty one: not the program's version.
std::optional<std::string> readVersionMark(const std::string& folder, std::string_view markName);

// Writes the mark, replacing the old one. Throws FileError.
void writeVersionMark(const std::string& folder, std::string_view markName, std::string_view version);

// The program folder's mark and a shop's CGI folder's mark.
inline constexpr std::string_view programFolderMarkName = "program-version.txt";
inline constexpr std::string_view shopScriptsMarkName = "scripts-version.txt";

} // namespace qs
