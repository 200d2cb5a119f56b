#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qs {

class TNewProduct;

// Sorts products by name in the order of CompareProductNames; products of
// equal names keep the order in which they were added. Each product's sort
// key is made as it is added, while its name is at hand, and the sort is fast
// for a million names that share long beginnings.
class ProductNameSort {
public:
    void add(TNewProduct* product);
    bool empty() const { return products_.empty(); }
    // The products in order; the sort is left empty.
    std::vector<TNewProduct*> sorted();

private:
    // One product's place among those added, where its key starts in the
    // block of keys (counted in chunks), and the chunk of its key being
    // compared. No list of four billion products, nor their keys, fits in
    // memory.
    struct Entry {
        std::uint64_t chunk;
        std::uint32_t start;
        std::uint32_t place;
    };

    void sortByChunk(std::vector<Entry>::iterator first, std::vector<Entry>::iterator last);

    std::vector<TNewProduct*> products_;
    std::vector<Entry> entries_;
    std::vector<Entry> buffer_;
    std::string keys_;
};

} // namespace qs
