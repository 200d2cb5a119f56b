#pragma once

#include "core/catalogue/FieldRecord.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qs {

class TNewCategory;
class UserInterface;

// A product: an open record of named text fields, owned by its category.
// Products are created, moved and destroyed through the Catalogue.
class TNewProduct {
public:
    std::int64_t ID = 0;
    TNewCategory* Category = nullptr;

    std::string_view field(std::string_view name) const;
    std::string_view field(FieldId id) const { return Fields.get(id); }
    std::string_view name() const { return Fields.get(FieldNames::ProductName); }

    // The product's own value, else its category's "Default " + name value.
    std::string_view effectiveField(std::string_view name) const;
    std::string_view effectiveField(FieldId id) const;

    // Sets a field; an empty value removes it. A new "Product Name" that
    // another product of the same category already has, compared exactly, is
    // refused with a message and nothing changes; the result tells which.
    bool setField(std::string_view name, std::string_view value, UserInterface& ui);
    bool setField(FieldId id, std::string_view value, UserInterface& ui);
    // The same without telling anyone of a refusal.
    bool trySetField(FieldId id, std::string_view value);

    template <typename F> void forEachField(F&& f) const { Fields.forEach(f); }

    static std::string duplicateNameMessage(std::string_view name);

private:
    friend class Catalogue;
    friend class TNewCategory;
    friend class ProductNameIndex;

    std::uint32_t nameHash() const { return nameHash_; }
    void setNameUnchecked(std::string_view name);

    FieldRecord Fields;
    std::uint32_t nameHash_ = 0;
};

std::uint32_t hashProductName(std::string_view name);

} // namespace qs
