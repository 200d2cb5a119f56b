#include "core/catalogue/ProductNameOrder.h"

#include <algorithm>

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

// The key holds no zero byte, so that a key padded with zeros still sorts
// before every longer key it begins. Bytes that are not digits keep their
// order below the mark that opens a run of digits, which sorts after all.
constexpr unsigned char digitRunMark = 0xFF;

unsigned char nonDigitCode(unsigned char c)
{
    return static_cast<unsigned char>(c < '0' ? c + 1 : c - 9);
}

// A run's length in five bytes of seven bits each, the top bit set.
char* writeRunLength(char* out, std::size_t length)
{
    for (int shift = 28; shift >= 0; shift -= 7)
        *out++ = static_cast<char>(0x80 | ((length >> shift) & 0x7F));
    return out;
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
    appendProductNameSortKey(key, name);
    return key;
}

void appendProductNameSortKey(std::string& key, std::string_view name)
{
    // Each byte takes one byte of the key, except that a run of digits adds
    // seven: at most eight for each byte of the name.
    const std::size_t oldSize = key.size();
    key.resize(oldSize + 8 * name.size());
    char* out = key.data() + oldSize;
    std::size_t i = 0;
    while (i < name.size()) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (!isDigit(c)) {
            *out++ = static_cast<char>(nonDigitCode(c));
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < name.size() && isDigit(static_cast<unsigned char>(name[end])))
            ++end;
        *out++ = static_cast<char>(digitRunMark);
        out = writeRunLength(out, end - i);
        *out++ = end < name.size() ? '\2' : '\1';
        out = std::copy(name.data() + i, name.data() + end, out);
        i = end;
    }
    key.resize(static_cast<std::size_t>(out - key.data()));
}

} // namespace qs
