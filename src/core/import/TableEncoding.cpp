#include "import/TableEncoding.h"

#include "text/Cp1252.h"

#include <cstring>
#include <string_view>

namespace qs {
namespace {

constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view utf16LittleMark = "\xFF\xFE";
constexpr std::string_view utf16BigMark = "\xFE\xFF";

// The length of the well-formed UTF-8 sequence at p (at most available
// bytes) and its character, or 0 for a malformed one: a stray or missing
// continuation, an over-long form, a surrogate or a character past U+10FFFF.
std::size_t decodeUtf8(const unsigned char* p, std::size_t available, char32_t& cp)
{
    const unsigned char lead = p[0];
    const std::size_t length = lead < 0x80         ? 1
                               : (lead >> 5) == 6  ? 2
                               : (lead >> 4) == 14 ? 3
                               : (lead >> 3) == 30 ? 4
                                                   : 0;
    if (length == 0 || length > available)
        return 0;
    cp = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((p[k] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[k] & 0x3F);
    }
    constexpr char32_t shortestFor[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < shortestFor[length] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        return 0;
    return length;
}

// Whether the bytes are UTF-8 with at least one character beyond ASCII.
bool isUtf8BeyondAscii(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    bool beyondAscii = false;
    while (p < end) {
        // Plain ASCII goes eight bytes at a time.
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if ((word & 0x8080808080808080ull) == 0) {
                p += 8;
                continue;
            }
        }
        if (*p < 0x80) {
            ++p;
            continue;
        }
        char32_t cp;
        const std::size_t length = decodeUtf8(p, static_cast<std::size_t>(end - p), cp);
        if (length == 0)
            return false;
        beyondAscii = true;
        p += length;
    }
    return beyondAscii;
}

void put(std::string& bytes, std::size_t& out, char32_t cp, LostCharacters& lost)
{
    const std::optional<char> byte = unicodeToCp1252(cp);
    if (!byte)
        lost.add(out, cp);
    bytes[out++] = byte.value_or('?');
}

void convertUtf8(std::string& bytes, std::size_t from, LostCharacters& lost)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t out = 0;
    std::size_t in = from;
    while (in < bytes.size()) {
        if (data[in] < 0x80) {
            bytes[out++] = static_cast<char>(data[in++]);
            continue;
        }
        char32_t cp;
        const std::size_t length = decodeUtf8(data + in, bytes.size() - in, cp);
        if (length == 0) {
            lost.add(out, LostCharacters::notACharacter);
            bytes[out++] = '?';
            ++in;
            continue;
        }
        put(bytes, out, cp, lost);
        in += length;
    }
    bytes.resize(out);
}

void convertUtf16(std::string& bytes, bool bigEndian, LostCharacters& lost)
{
    const auto unit = [&](std::size_t at) {
        const auto a = static_cast<unsigned char>(bytes[at]);
        const auto b = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    std::size_t out = 0;
    std::size_t in = 2;
    while (in + 1 < bytes.size()) {
        char32_t cp = unit(in);
        in += 2;
        if (cp >= 0xD800 && cp <= 0xDBFF && in + 1 < bytes.size() && unit(in) >= 0xDC00 &&
            unit(in) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(in) - 0xDC00);
            in += 2;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = LostCharacters::notACharacter;
        }
        put(bytes, out, cp, lost);
    }
    if (in < bytes.size()) // half a character at the end
        put(bytes, out, LostCharacters::notACharacter, lost);
    bytes.resize(out);
}

} // namespace

void LostCharacters::add(std::size_t offset, char32_t codePoint)
{
    if (first.size() < listed)
        first.push_back({offset, codePoint});
    ++count;
}

TableEncoding convertToCp1252(std::string& bytes, LostCharacters& lost)
{
    const std::string_view view(bytes);
    if (view.starts_with(utf8Mark)) {
        convertUtf8(bytes, utf8Mark.size(), lost);
        return TableEncoding::Utf8;
    }
    if (view.starts_with(utf16LittleMark) || view.starts_with(utf16BigMark)) {
        const bool bigEndian = view.starts_with(utf16BigMark);
        convertUtf16(bytes, bigEndian, lost);
        return bigEndian ? TableEncoding::Utf16BigEndian : TableEncoding::Utf16LittleEndian;
    }
    if (isUtf8BeyondAscii(view)) {
        convertUtf8(bytes, 0, lost);
        return TableEncoding::Utf8;
    }
    return TableEncoding::Windows1252;
}

} // namespace qs
