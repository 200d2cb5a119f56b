#pragma once

#include <cstddef>
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

// Stands for bytes that are no UTF-8 character at all.
inline constexpr char32_t notACharacter = 0xFFFFFFFF;

// The first character of UTF-8 text that the code page has no place for (or
// the first bytes that are no character), and where it begins; none when the
// whole text fits.
struct CharacterOutsideCp1252 {
    std::size_t offset;
    char32_t codePoint;
};
std::optional<CharacterOutsideCp1252> firstCharacterOutsideCp1252(std::string_view utf8);

// A character as the merchant's messages name it: "U+0141 (LATIN CAPITAL
// LETTER L WITH STROKE)".
std::string characterText(char32_t cp);

// Why text holding the character cannot be stored, naming it.
std::string characterOutsideCp1252Refusal(char32_t cp);

// UTF-8 text (typed on the screen or the command line) in the code page. A
// character the code page cannot hold is never replaced: the text is refused,
// and the refusal names the first such character.
struct Cp1252Conversion {
    std::string bytes;   // the text in the code page; empty when refused
    std::string refusal; // for the merchant; empty when converted
    bool converted() const { return refusal.empty(); }
};
Cp1252Conversion utf8ToCp1252(std::string_view utf8);

} // namespace qs
