#include "import/TableEncoding.h"

#include "text/Cp1252.h"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace qs {
namespace {

constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view utf16LittleMark = "\xFF\xFE";
constexpr std::string_view utf16BigMark = "\xFE\xFF";
constexpr std::uint64_t highBits = 0x8080808080808080ull;

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
            if ((word & highBits) == 0) {
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

void put(char* bytes, std::size_t& out, char32_t cp, LostCharacters& lost)
{
    const std::optional<char> byte = unicodeToCp1252(cp);
    if (!byte)
        lost.add(out, cp);
    bytes[out++] = byte.value_or('?');
}

// The bytes from `from` on, converted to the start of bytes; their new size.
std::size_t convertUtf8(char* bytes, std::size_t size, std::size_t from, LostCharacters& lost)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes);
    std::size_t out = 0;
    std::size_t in = from;
    while (in < size) {
        // Runs of ASCII move eight bytes at a time (read whole before written,
        // as the copy may overlap its source).
        std::uint64_t word;
        if (size - in >= 8 && (std::memcpy(&word, data + in, 8), (word & highBits) == 0)) {
            std::memcpy(bytes + out, &word, 8);
            out += 8;
            in += 8;
            continue;
        }
        if (data[in] < 0x80) {
            bytes[out++] = static_cast<char>(data[in++]);
            continue;
        }
        char32_t cp;
        const std::size_t length = decodeUtf8(data + in, size - in, cp);
        if (length == 0) {
            lost.add(out, LostCharacters::notACharacter);
            bytes[out++] = '?';
            ++in;
            continue;
        }
        put(bytes, out, cp, lost);
        in += length;
    }
    return out;
}

std::size_t convertUtf16(char* bytes, std::size_t size, bool bigEndian, LostCharacters& lost)
{
    const auto unit = [&](std::size_t at) {
        const auto a = static_cast<unsigned char>(bytes[at]);
        const auto b = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    std::size_t out = 0;
    std::size_t in = 2;
    while (in + 1 < size) {
        char32_t cp = unit(in);
        in += 2;
        if (cp >= 0xD800 && cp <= 0xDBFF && in + 1 < size && unit(in) >= 0xDC00 && unit(in) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(in) - 0xDC00);
            in += 2;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = LostCharacters::notACharacter;
        }
        put(bytes, out, cp, lost);
    }
    if (in < size) // half a character at the end
        put(bytes, out, LostCharacters::notACharacter, lost);
    return out;
}

} // namespace

void LostCharacters::add(std::size_t offset, char32_t codePoint)
{
    if (first.size() < listed)
        first.push_back({offset, codePoint});
    ++count;
}

TableEncoding convertToCp1252(char* bytes, std::size_t& size, LostCharacters& lost)
{
    const std::string_view view(bytes, size);
    if (view.starts_with(utf8Mark)) {
        size = convertUtf8(bytes, size, utf8Mark.size(), lost);
        return TableEncoding::Utf8;
    }
    if (view.starts_with(utf16LittleMark) || view.starts_with(utf16BigMark)) {
        const bool bigEndian = view.starts_with(utf16BigMark);
        size = convertUtf16(bytes, size, bigEndian, lost);
        return bigEndian ? TableEncoding::Utf16BigEndian : TableEncoding::Utf16LittleEndian;
    }
    if (isUtf8BeyondAscii(view)) {
        size = convertUtf8(bytes, size, 0, lost);
        return TableEncoding::Utf8;
    }
    return TableEncoding::Windows1252;
}

} // namespace qs
