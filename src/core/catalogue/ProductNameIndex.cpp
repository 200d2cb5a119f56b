#include "core/catalogue/ProductNameIndex.h"

#include "core/catalogue/TNewProduct.h"

#include <algorithm>

namespace qs {

void ProductNameIndex::grow()
{
    // From the full list, or from the table when three quarters full.
    std::vector<TNewProduct*> old;
    if (listed())
        old.assign(list_.begin(), list_.begin() + static_cast<std::ptrdiff_t>(count_));
    else
        old.swap(slots_);
    slots_.assign(std::max<std::size_t>(16, old.size() * 2), nullptr);
    tags_.assign(slots_.size(), 0);
    count_ = 0;
    for (TNewProduct* product : old)
        if (product)
            place(product);
}

void ProductNameIndex::insert(TNewProduct* product)
{
    if (listed() && count_ < listedCount) {
        list_[count_++] = product;
        return;
    }
    if (listed() || (count_ + 1) * 4 > slots_.size() * 3)
        grow();
    place(product);
}

void ProductNameIndex::place(TNewProduct* product)
{
    std::size_t i = slotOf(product->nameHash());
    while (slots_[i])
        i = (i + 1) & (slots_.size() - 1);
    slots_[i] = product;
    tags_[i] = tagOf(product->nameHash());
    ++count_;
}

void ProductNameIndex::erase(TNewProduct* product)
{
    if (listed()) {
        const auto end = list_.begin() + static_cast<std::ptrdiff_t>(count_);
        const auto it = std::find(list_.begin(), end, product);
        if (it != end) {
            *it = *(end - 1);
            --count_;
        }
        return;
    }
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = slotOf(product->nameHash());
    while (slots_[i] != product) {
        if (!slots_[i])
            return;
        i = (i + 1) & mask;
    }
    // Backward-shift deletion keeps every probe chain unbroken without tombstones.
    std::size_t hole = i;
    std::size_t j = i;
    for (;;) {
        j = (j + 1) & mask;
        TNewProduct* candidate = slots_[j];
        if (!candidate)
            break;
        const std::size_t home = slotOf(candidate->nameHash());
        const bool homeBetween = hole <= j ? (hole < home && home <= j) : (hole < home || home <= j);
        if (!homeBetween) {
            slots_[hole] = candidate;
            tags_[hole] = tags_[j];
            hole = j;
        }
    }
    slots_[hole] = nullptr;
    --count_;
}

void ProductNameIndex::clear()
{
    slots_.clear();
    tags_.clear();
    count_ = 0;
}

bool ProductNameIndex::containsOther(std::string_view name, std::uint32_t hash,
                                     const TNewProduct* except) const
{
    if (listed()) {
        for (std::size_t i = 0; i < count_; ++i) {
            const TNewProduct* product = list_[i];
            if (product != except && product->nameHash() == hash && product->name() == name)
                return true;
        }
        return false;
    }
    const std::uint16_t tag = tagOf(hash);
    for (std::size_t i = slotOf(hash); slots_[i]; i = (i + 1) & (slots_.size() - 1)) {
        const TNewProduct* product = slots_[i];
        if (tags_[i] == tag && product != except && product->nameHash() == hash && product->name() == name)
            return true;
    }
    return false;
}

} // namespace qs
