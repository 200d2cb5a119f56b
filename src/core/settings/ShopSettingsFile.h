#pragma once

#include <string>

namespace qs {

class AtomicFileWriter;
struct OpenSettings;
struct ShopPaths;

// The shop settings file (qstl2.cfg): the shop settings list written out
// verbatim, which the shop's scripts read.

// The deepest catalogue the settings may claim.
inline constexpr int maximumCategoryDepth = 64;

// Replaces the list by the file's lines, then takes the catalogue depth and
// the mail values from it. Throws FileError("Cannot open file ...") when the
// file cannot be read (the list keeps its content), and ConversionError when
// MAX_CATEGORY_DEPTH is missing or not an integer (the list already holds the
// file's lines; the mail values are not taken).
void LoadSettings(OpenSettings& state, const std::string& path);

// A shop without a settings file: the built-in defaults and their catalogue
// depth. The mail values stay as they are.
void UseDefaultSettings(OpenSettings& state);

// Which addresses a written settings file holds: this computer's, for the
// working copy, or the web server's, for the upload folder.
enum class SettingsForm { Local, Remote };

// Sets the keys the scripts need for the form asked for (the addresses from
// the paths) and writes the list. The new values stay in the list. Throws
// FileError("Cannot create file ...").
void SaveSettings(OpenSettings& state, const ShopPaths& paths, const std::string& path, SettingsForm form);
// The same into the writer of the file, which the caller commits.
void SaveSettings(OpenSettings& state, const ShopPaths& paths, AtomicFileWriter& file, SettingsForm form);

// The open shop's working copy: ShopCGIDir + "qstl2.cfg".
std::string shopSettingsFile(const ShopPaths& paths);

inline constexpr const char* settingsFileName = "qstl2.cfg";

} // namespace qs
