#include "catalogue/ProductNameOrder.h"

#include <cstdint>

namespace qs {

namespace {

bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

int sign(unsigned char a, unsigned char b)
{
    return a > b ? 1 : -1;
}

// Bytes that are not digits keep their order below the mark that opens a run
// of digits, which sorts after all of them.
constexpr unsigned char digitRunMark = 0xFF;

unsigned char nonDigitCode(unsigned char c)
{
    return c < '0' ? static_cast<unsigned char>(c) : static_cast<unsigned char>(c - 10);
}

} // namespace

int CompareProductNames(std::string_view a, std::string_view b)
{
    int recorded = 0;
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        const bool da = isDigit(ca);
        const bool db = isDigit(cb);
        if (da != db)
            return da ? 1 : -1;
        if (ca != cb && recorded == 0)
            recorded = sign(ca, cb);
        if (!da && recorded != 0)
            return recorded;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return recorded;
}

// Two names first differ at some position. Before it they are equal, so their
// runs of digits and other characters line up. Where the first difference
// lies in a run of digits, the comparison walks on while both still have
// digits: the longer run wins; with runs of equal length, a name that ends
// right after its run is the smaller; otherwise the first differing digit
// decides. The key writes each run of digits as the mark, its length, whether
// anything follows it, then the digits, which gives the same order.
std::string productNameSortKey(std::string_view name)
{
    std::string key;
    key.reserve(name.size() + 8);
    std::size_t i = 0;
    while (i < name.size()) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (!isDigit(c)) {
            key.push_back(static_cast<char>(nonDigitCode(c)));
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < name.size() && isDigit(static_cast<unsigned char>(name[end])))
            ++end;
        const auto length = static_cast<std::uint32_t>(end - i);
        key.push_back(static_cast<char>(digitRunMark));
        for (int shift = 24; shift >= 0; shift -= 8)
            key.push_back(static_cast<char>((length >> shift) & 0xFF));
        key.push_back(end < name.size() ? '\1' : '\0');
        key.append(name.substr(i, end - i));
        i = end;
    }
    return key;
}

} // namespace qs
