#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qs {

class FieldDefinitions;
class TNewProduct;
class UserInterface;

// What the inspector edits: a product's per-type values as a table, one row
// per extensible field and one column per type. A field holds its values in
// the order of the product's types, joined by "|".
//
// Only rows the merchant changed are given back, so an untouched field keeps
// its exact value (an inherited one stays inherited). Adding or deleting a
// type changes every row. Pieces beyond the number of types are not shown;
// they are kept after the last type's value.
//
// "Options" is not a row: its value lists the shop's options that apply to the
// whole product, positions joined by "|", not one value per type. It is
// chosen in the options dialog and types never change it.
class ProductInspector {
public:
    using FieldChanges = std::vector<std::pair<std::string, std::string>>;

    ProductInspector(const FieldDefinitions& definitions, const TNewProduct& product);

    // The window's caption: the product's own name.
    const std::string& caption() const { return caption_; }
    std::size_t rowCount() const { return rows_.size(); }
    const std::string& rowName(std::size_t row) const { return rows_[row].name; }
    std::size_t typeCount() const { return typeCount_; }
    const std::string& cell(std::size_t row, std::size_t type) const { return rows_[row].cells[type]; }
    void setCell(std::size_t row, std::size_t type, std::string text);
    // Why the shop cannot read a cell's price or weight; empty for a sound one.
    std::string cellNote(std::size_t row, std::size_t type) const;

    // "&New Type": asks for the name and adds a column at the right.
    bool newType(UserInterface& ui);
    // "&Delete Type": asks for confirmation and removes the column.
    bool deleteType(std::size_t type, UserInterface& ui);

    // "&OK": the fields to store with their new values, or nothing after
    // saying why a value cannot be stored.
    std::optional<FieldChanges> confirm(UserInterface& ui) const;

    static constexpr std::string_view typeRow = "Type";
    static constexpr std::string_view deleteTypeQuestion = "Are you sure you want to delete this type?";
    static constexpr std::string_view separatorRefusal =
        "A value for one type cannot contain \"|\", which separates the values of the types.";

private:
    struct Row {
        std::string name;
        std::string original;
        std::vector<std::string> cells;
        // The pieces beyond the number of types.
        std::vector<std::string> hidden;
        bool changed = false;
    };

    static std::string joined(const Row& row);

    std::string caption_;
    std::size_t typeCount_ = 0;
    std::vector<Row> rows_;
};

} // namespace qs
