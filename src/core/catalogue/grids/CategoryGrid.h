#pragma once

#include "core/catalogue/grids/CellView.h"

#include <string>
#include <string_view>
#include <vector>

namespace qs {

class CatalogueChanges;
class FieldDefinitions;
class TNewCategory;

// What the category details grid shows and does, without the window: two
// columns (labels, values); row 0 the category's name, then the category
// fields and one default row for every product field that admits a default.
class CategoryGrid {
public:
    enum class Kind { Heading, Text, File, SpecialDefault };
    // What a double-click on a row's value opens.
    enum class Dialog { None, Picture, Template, Options };

    explicit CategoryGrid(const FieldDefinitions& definitions) : definitions_(definitions) { fill(); }

    // The rows, from the field definitions as they are now.
    void fill();
    int rowCount() const { return static_cast<int>(rows_.size()); }
    // Row 0: "Category: "; then "Category Name" ... "Template", "Default Price" ...
    const std::string& label(int row) const;
    Kind kind(int row) const;

    CellView cell(const TNewCategory& category, int column, int row) const;
    bool editable(int column, int row) const;
    Dialog dialog(int row) const;
    // The value a dialog starts from: what the cell shows, "(None...)" as empty.
    std::string dialogValue(const TNewCategory& category, int row) const;
    // Why the shop cannot read a default price or weight, for the row to be
    // marked; empty for a sound one and for every other row.
    std::string note(const TNewCategory& category, int row) const;

    // Stores a value typed or chosen for a row. An emptied "Category Name" is
    // not stored; the result says whether the value is now the category's.
    struct Stored {
        bool kept = false;   // the category holds the value (stored, or already so)
        std::string refusal; // why not, for the merchant; empty for an emptied name
    };
    Stored store(CatalogueChanges& changes, TNewCategory& category, int row, std::string_view text) const;

    static constexpr std::string_view headingLabel = "Category: ";
    static constexpr std::string_view noneText = "(None...)";

private:
    struct Row {
        std::string label;
        Kind kind;
        Dialog dialog;
    };

    const FieldDefinitions& definitions_;
    std::vector<Row> rows_;
};

} // namespace qs
