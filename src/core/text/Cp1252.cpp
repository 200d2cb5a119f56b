#include "core/text/Cp1252.h"

#include <array>
#include <cstdio>

#include <unicode/uchar.h>

namespace qs {
namespace {

constexpr std::array<char16_t, 32> highControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// The length of the well-formed UTF-8 character at the start of text, and the
// character; 0 for a malformed one (a stray or missing continuation, or an
// over-long form, which could pass a "/" or a control past a check).
std::size_t decodeUtf8(std::string_view text, char32_t& cp)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80         ? 1
                               : (lead >> 5) == 6  ? 2
                               : (lead >> 4) == 14 ? 3
                               : (lead >> 3) == 30 ? 4
                                                   : 0;
    if (length == 0 || length > text.size())
        return 0;
    cp = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (next & 0x3F);
    }
    constexpr char32_t shortestFor[] = {0, 0, 0x80, 0x800, 0x10000};
    return cp < shortestFor[length] ? 0 : length;
}

} // namespace

std::optional<char> unicodeToCp1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < highControls.size(); ++i)
        if (highControls[i] == cp)
            return static_cast<char>(0x80 + i);
    return std::nullopt;
}

char32_t cp1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return highControls[byte - 0x80];
    return byte;
}

std::string cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        appendUtf8(out, cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::optional<CharacterOutsideCp1252> firstCharacterOutsideCp1252(std::string_view utf8)
{
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t cp;
        const std::size_t length = decodeUtf8(utf8.substr(at), cp);
        if (length == 0)
            return CharacterOutsideCp1252{at, notACharacter};
        if (!unicodeToCp1252(cp))
            return CharacterOutsideCp1252{at, cp};
        at += length;
    }
    return std::nullopt;
}

std::string characterText(char32_t cp)
{
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
    std::string text(code);
    char name[128];
    UErrorCode error = U_ZERO_ERROR;
    const int32_t length =
        u_charName(static_cast<UChar32>(cp), U_UNICODE_CHAR_NAME, name, sizeof name, &error);
    if (U_SUCCESS(error) && length > 0 && static_cast<std::size_t>(length) < sizeof name)
        text.append(" (").append(name, static_cast<std::size_t>(length)).append(")");
    return text;
}

std::string characterOutsideCp1252Refusal(char32_t cp)
{
    const std::string what = cp == notACharacter ? "Bytes that are no UTF-8 character have"
                                                 : "The character " + characterText(cp) + " has";
    return what +
           " no place in Windows-1252, the character set of the catalogue, so the text cannot be stored.";
}

Cp1252Conversion utf8ToCp1252(std::string_view utf8)
{
    if (const auto outside = firstCharacterOutsideCp1252(utf8))
        return {{}, characterOutsideCp1252Refusal(outside->codePoint)};
    Cp1252Conversion converted;
    converted.bytes.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t cp;
        at += decodeUtf8(utf8.substr(at), cp);
        converted.bytes.push_back(*unicodeToCp1252(cp));
    }
    return converted;
}

} // namespace qs
