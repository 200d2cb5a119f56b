#include "core/import/TableEncoding.h"

#include "core/text/Cp1252.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace qs {
namespace {

constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view utf16LittleMark = "\xFF\xFE";
constexpr std::string_view utf16BigMark = "\xFE\xFF";
constexpr std::uint64_t highBits = 0x8080808080808080ull;
constexpr std::uint64_t lowBits = 0x0101010101010101ull;

// Whether eight bytes are ASCII other than NUL: what every encoding but
// UTF-16 keeps as it stands.
bool plainAscii(std::uint64_t word)
{
    const bool anyZero = ((word - lowBits) & ~word & highBits) != 0;
    return (word & highBits) == 0 && !anyZero;
}

// Whether the catalogue holds the byte: every Windows-1252 character but NUL
// (the code page leaves five bytes undefined).
bool holds(unsigned char byte)
{
    return byte != 0 && byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D;
}

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

// Whether the bytes hold a UTF-8 character beyond ASCII.
bool holdsUtf8BeyondAscii(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
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
        char32_t cp;
        const std::size_t length = *p < 0x80 ? 0 : decodeUtf8(p, static_cast<std::size_t>(end - p), cp);
        if (length > 0)
            return true;
        ++p;
    }
    return false;
}

// Which UTF-16 bytes without a mark are in, if any: most of a table is
// ASCII, whose characters have a zero high byte, so that at least every
// other unit has its zero byte on the same side, while text in an 8-bit
// encoding holds no zero bytes at all. The start of the table decides.
std::optional<TableEncoding> utf16WithoutMark(std::string_view bytes)
{
    constexpr std::size_t sample = 64 * 1024;
    const std::size_t length = std::min(bytes.size(), sample) & ~std::size_t{1};
    std::size_t zeros[2] = {0, 0}; // at even and at odd offsets
    for (std::size_t at = 0; at < length; ++at)
        if (bytes[at] == '\0')
            ++zeros[at % 2];
    const std::size_t units = length / 2;
    const auto highBytes = [units](std::size_t zeroHere, std::size_t zeroThere) {
        return zeroHere > 0 && zeroHere * 2 >= units && zeroThere * 2 < zeroHere;
    };
    if (highBytes(zeros[1], zeros[0]))
        return TableEncoding::Utf16LittleEndian;
    if (highBytes(zeros[0], zeros[1]))
        return TableEncoding::Utf16BigEndian;
    return std::nullopt;
}

void put(char* bytes, std::size_t& out, char32_t cp, ConversionNotes& notes)
{
    const std::optional<char> byte = unicodeToCp1252(cp);
    if (!byte || !holds(static_cast<unsigned char>(*byte))) {
        notes.lost.add(out, cp);
        bytes[out++] = '?';
        return;
    }
    bytes[out++] = *byte;
}

// The bytes from `from` on, converted to the start of bytes; their new size.
std::size_t convertUtf8(char* bytes, std::size_t size, std::size_t from, ConversionNotes& notes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes);
    std::size_t out = 0;
    std::size_t in = from;
    while (in < size) {
        // Runs of ASCII move eight bytes at a time (read whole before written,
        // as the copy may overlap its source).
        std::uint64_t word;
        if (size - in >= 8 && (std::memcpy(&word, data + in, 8), plainAscii(word))) {
            std::memcpy(bytes + out, &word, 8);
            out += 8;
            in += 8;
            continue;
        }
        char32_t cp = data[in];
        const std::size_t length = cp < 0x80 ? 1 : decodeUtf8(data + in, size - in, cp);
        if (length > 0) {
            put(bytes, out, cp, notes);
            in += length;
            continue;
        }
        // No UTF-8: the Windows-1252 character the byte is, where it is one.
        const unsigned char byte = data[in++];
        if (holds(byte)) {
            notes.mixed.add(out, byte);
            bytes[out++] = static_cast<char>(byte);
        } else {
            notes.lost.add(out, ConversionNotes::notACharacter);
            bytes[out++] = '?';
        }
    }
    return out;
}

std::size_t convertUtf16(char* bytes, std::size_t size, std::size_t from, bool bigEndian,
                         ConversionNotes& notes)
{
    const auto unit = [&](std::size_t at) {
        const auto a = static_cast<unsigned char>(bytes[at]);
        const auto b = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    std::size_t out = 0;
    std::size_t in = from;
    while (in + 1 < size) {
        char32_t cp = unit(in);
        in += 2;
        if (cp >= 0xD800 && cp <= 0xDBFF && in + 1 < size && unit(in) >= 0xDC00 && unit(in) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(in) - 0xDC00);
            in += 2;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = ConversionNotes::notACharacter;
        }
        put(bytes, out, cp, notes);
    }
    if (in < size) // half a character at the end
        put(bytes, out, ConversionNotes::notACharacter, notes);
    return out;
}

// A Windows-1252 table stays as it is but for the bytes the catalogue cannot hold.
void keepWhatTheCatalogueHolds(char* bytes, std::size_t size, ConversionNotes& notes)
{
    std::size_t at = 0;
    while (at < size) {
        std::uint64_t word;
        if (size - at >= 8 && (std::memcpy(&word, bytes + at, 8), plainAscii(word))) {
            at += 8;
            continue;
        }
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (!holds(byte)) {
            notes.lost.add(at, byte);
            bytes[at] = '?';
        }
        ++at;
    }
}

} // namespace

void CharacterList::add(std::size_t offset, char32_t value)
{
    if (first.size() < listed)
        first.push_back({offset, value});
    ++count;
}

TableEncoding convertToCp1252(char* bytes, std::size_t& size, ConversionNotes& notes)
{
    const std::string_view view(bytes, size);
    if (view.starts_with(utf8Mark)) {
        size = convertUtf8(bytes, size, utf8Mark.size(), notes);
        return TableEncoding::Utf8;
    }
    if (view.starts_with(utf16LittleMark) || view.starts_with(utf16BigMark)) {
        const bool bigEndian = view.starts_with(utf16BigMark);
        size = convertUtf16(bytes, size, 2, bigEndian, notes);
        return bigEndian ? TableEncoding::Utf16BigEndian : TableEncoding::Utf16LittleEndian;
    }
    if (const std::optional<TableEncoding> utf16 = utf16WithoutMark(view)) {
        size = convertUtf16(bytes, size, 0, *utf16 == TableEncoding::Utf16BigEndian, notes);
        return *utf16;
    }
    if (holdsUtf8BeyondAscii(view)) {
        size = convertUtf8(bytes, size, 0, notes);
        return TableEncoding::Utf8;
    }
    keepWhatTheCatalogueHolds(bytes, size, notes);
    return TableEncoding::Windows1252;
}

} // namespace qs
