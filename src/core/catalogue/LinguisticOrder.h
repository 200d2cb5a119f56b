#pragma once

#include <memory>
#include <string>
#include <string_view>

struct UCollator;

namespace qs {

// Linguistic order of Windows-1252 texts: letters before their accented and
// capital forms only where the letters are otherwise the same, so that apple
// comes before Apple, Apple before banana, and Éclair before Zebra. Built on
// the root collation, so it is the same on every machine whatever its locale.
class LinguisticOrder {
public:
    LinguisticOrder();
    ~LinguisticOrder();
    LinguisticOrder(const LinguisticOrder&) = delete;
    LinguisticOrder& operator=(const LinguisticOrder&) = delete;

    // Bytes whose plain comparison gives the linguistic order.
    std::string sortKey(std::string_view text) const;
    // The same key appended to keys, so that the keys of many texts can
    // share one buffer.
    void appendSortKey(std::string& keys, std::string_view text) const;
    bool less(std::string_view a, std::string_view b) const;

private:
    UCollator* collator_ = nullptr;
};

} // namespace qs
