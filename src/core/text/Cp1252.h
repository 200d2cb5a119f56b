#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qs {

// Windows-1252, the single-byte code page of every file the system writes.

// The Unicode code point of a byte; the five bytes the code page leaves
// undefined map to the C1 control of the same number.
char32_t cp1252ToUnicode(unsigned char byte);

// The code page's byte for a character, or none when it has no such character.
std::optional<char> unicodeToCp1252(char32_t cp);

std::string cp1252ToUtf8(std::string_view bytes);

// Characters outside the code page, and malformed UTF-8, become "?".
std::string utf8ToCp1252(std::string_view utf8);

} // namespace qs
