#include "core/catalogue/ProductNameSort.h"

#include "core/catalogue/ProductNameOrder.h"
#include "core/catalogue/TNewProduct.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace qs {

namespace {

using Chunk = std::uint64_t;
constexpr std::size_t chunkBytes = sizeof(Chunk);

// The chunk at index of the key that starts at start, as a big-endian number.
Chunk chunkAt(const std::string& keys, std::size_t start, std::size_t index)
{
    Chunk chunk;
    std::memcpy(&chunk, keys.data() + (start + index) * chunkBytes, chunkBytes);
    if constexpr (std::endian::native == std::endian::little)
        chunk = __builtin_bswap64(chunk);
    return chunk;
}

// Below this many entries a comparison sort is quicker than counting.
constexpr std::ptrdiff_t fewEntries = 256;

} // namespace

// Sorts by chunk and keeps the order of entries with equal chunks: one
// counting pass for each byte of the chunk that the entries do not all share.
void ProductNameSort::sortByChunk(std::vector<Entry>::iterator first, std::vector<Entry>::iterator last)
{
    const auto count = static_cast<std::size_t>(last - first);
    buffer_.resize(count);
    Entry* from = &*first;
    Entry* to = buffer_.data();
    for (int shift = 0; shift < 64; shift += 8) {
        const auto digit = [shift](const Entry& e) {
            return static_cast<std::size_t>(e.chunk >> shift) & 0xFF;
        };
        std::size_t starts[256] = {};
        for (std::size_t i = 0; i < count; ++i)
            ++starts[digit(from[i])];
        if (starts[digit(from[0])] == count)
            continue;
        std::size_t start = 0;
        for (std::size_t& s : starts)
            start += std::exchange(s, start);
        for (std::size_t i = 0; i < count; ++i)
            to[starts[digit(from[i])]++] = from[i];
        std::swap(from, to);
    }
    if (from != &*first)
        std::copy(from, from + count, first);
}

// Every key goes into one block, ended by zeros up to a whole number of
// chunks. A key holds no zero byte, so comparing chunks as numbers compares
// the keys, and a chunk that ends in a zero ends its key.
void ProductNameSort::add(TNewProduct* product)
{
    entries_.push_back({0, static_cast<std::uint32_t>(keys_.size() / chunkBytes),
                        static_cast<std::uint32_t>(products_.size())});
    products_.push_back(product);
    appendProductNameSortKey(keys_, product->name());
    keys_.resize((keys_.size() / chunkBytes + 1) * chunkBytes, '\0');
}

// Entries are sorted by their keys' first chunk; only those that agree on a
// whole chunk go on to the next, so names that share long beginnings are
// never compared from the start again. Equal keys end sorted by place.
std::vector<TNewProduct*> ProductNameSort::sorted()
{
    struct Range {
        std::size_t begin, end, chunk;
    };
    std::vector<Range> pending{{0, entries_.size(), 0}};
    while (!pending.empty()) {
        const Range range = pending.back();
        pending.pop_back();
        const auto first = entries_.begin() + static_cast<std::ptrdiff_t>(range.begin);
        const auto last = entries_.begin() + static_cast<std::ptrdiff_t>(range.end);
        for (auto entry = first; entry != last; ++entry)
            entry->chunk = chunkAt(keys_, entry->start, range.chunk);
        // Entries of equal chunks come in order of place, from the start or
        // from the chunk before, and stay so.
        if (last - first < fewEntries)
            std::sort(first, last, [](const Entry& a, const Entry& b) {
                return a.chunk != b.chunk ? a.chunk < b.chunk : a.place < b.place;
            });
        else
            sortByChunk(first, last);
        for (auto run = first; run != last;) {
            const auto runEnd =
                std::find_if(run + 1, last, [&](const Entry& e) { return e.chunk != run->chunk; });
            const bool keysGoOn = (run->chunk & 0xFF) != 0;
            if (keysGoOn && runEnd - run > 1)
                pending.push_back({static_cast<std::size_t>(run - entries_.begin()),
                                   static_cast<std::size_t>(runEnd - entries_.begin()), range.chunk + 1});
            run = runEnd;
        }
    }

    std::vector<TNewProduct*> result;
    result.reserve(products_.size());
    for (const Entry& entry : entries_)
        result.push_back(products_[entry.place]);
    *this = ProductNameSort();
    return result;
}

} // namespace qs
