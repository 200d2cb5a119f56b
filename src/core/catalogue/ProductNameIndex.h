#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace qs {

class TNewProduct;

// The product names of one category, for the duplicate-name check: an open
// addressing hash set of products (names compared exactly), so that creating
// or renaming a product takes constant time however full the category.
// Several products may carry the same name; each is held once. Beside each
// slot sits part of its product's name hash, so that a probe reads a product
// only when that part matches: with products spread over memory, each read is
// a cache miss, and a big import checks a million names. The few products of
// a small category are held in a plain list instead, which needs no memory
// of its own; the table takes over when a product more arrives.
class ProductNameIndex {
public:
    void insert(TNewProduct* product);
    void erase(TNewProduct* product);
    void clear();
    // Whether a product other than `except` carries exactly this name.
    bool containsOther(std::string_view name, std::uint32_t hash, const TNewProduct* except) const;

private:
    static constexpr std::size_t listedCount = 8;

    bool listed() const { return slots_.empty(); }
    std::size_t slotOf(std::uint32_t hash) const { return hash & (slots_.size() - 1); }
    static std::uint16_t tagOf(std::uint32_t hash) { return static_cast<std::uint16_t>(hash >> 16); }
    void place(TNewProduct* product);
    void grow();

    // The products while the list holds them, the first count_ of it.
    std::array<TNewProduct*, listedCount> list_{};
    std::vector<TNewProduct*> slots_;
    std::vector<std::uint16_t> tags_;
    std::size_t count_ = 0;
};

} // namespace qs
