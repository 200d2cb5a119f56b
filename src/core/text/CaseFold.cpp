#include "core/text/CaseFold.h"

#include <array>

namespace qs {
namespace {

constexpr std::array<unsigned char, 256> makeFoldTable()
{
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = static_cast<unsigned char>(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        table[c] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) // multiplication sign has no lower case
            table[c] = static_cast<unsigned char>(c + 32);
    table[0x8A] = 0x9A; // S caron
    table[0x8C] = 0x9C; // OE ligature
    table[0x8E] = 0x9E; // Z caron
    table[0x9F] = 0xFF; // Y diaeresis
    return table;
}

constexpr auto foldTable = makeFoldTable();

} // namespace

unsigned char foldCase(unsigned char c)
{
    return foldTable[c];
}

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldTable[static_cast<unsigned char>(a[i])] != foldTable[static_cast<unsigned char>(b[i])])
            return false;
    return true;
}

std::size_t hashIgnoreCase(std::string_view text)
{
    std::size_t hash = 1469598103934665603ull; // FNV-1a
    for (char c : text) {
        hash ^= foldTable[static_cast<unsigned char>(c)];
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string lowerCased(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(foldTable[static_cast<unsigned char>(c)]);
    return result;
}

} // namespace qs
