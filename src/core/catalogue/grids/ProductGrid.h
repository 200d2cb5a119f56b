#pragma once

#include "core/catalogue/FieldNames.h"
#include "core/catalogue/grids/CellView.h"

#include <string>
#include <string_view>
#include <vector>

namespace qs {

class CatalogueChanges;
class FieldDefinitions;
class NameValueList;
class TNewCategory;
class TNewProduct;

// What the product grid shows and does, without the window. Column 0 holds
// the products' names, column c the field at position c - 1 of the field
// definitions; row 0 the headings, row r the r-th product of the category,
// and one empty row after the last. The Category column shows the path of
// the product's category and cannot be typed into.
class ProductGrid {
public:
    // What a double-click on a cell of a column opens.
    enum class Dialog { None, Memo, Inspector, Options, Picture, Template };

    explicit ProductGrid(const FieldDefinitions& definitions);

    // The number of custom-field columns from the shop's "CustomMax" setting:
    // 0 when absent or no whole number, and never outside 0 to 10.
    void applyCustomMax(const NameValueList& settings);
    int customMax() const { return customMax_; }
    int columnCount() const { return columnsWithoutCustomFields + customMax_; }
    int rowCount(const TNewCategory& category) const;

    // The field a column shows; empty for column 0 and past the last definition.
    std::string_view field(int column) const;
    CellView heading(int column) const;
    TNewProduct* product(const TNewCategory& category, int row) const;
    CellView cell(const TNewCategory& category, int column, int row) const;
    // Why the shop cannot read the cell's price or weight (its own value or
    // the category's default), for the cell to be marked; empty for a sound one.
    std::string note(const TNewCategory& category, int column, int row) const;
    bool editable(const TNewCategory& category, int column, int row) const;
    Dialog dialog(int column) const;

    // Stores a value for a cell into the product of its row. An emptied
    // product name and rows without a product store nothing. The refusal
    // text, or empty.
    std::string store(CatalogueChanges& changes, const TNewCategory& category, int column, int row,
                      std::string_view text) const;

    static constexpr int maximumCustomFields = 10;
    // The columns shown whatever "CustomMax" says: the name column and the
    // first eleven field definitions.
    static constexpr int columnsWithoutCustomFields = 12;
    static constexpr std::string_view nameHeading = "PRODUCT:";
    static constexpr std::string_view severalText = "(Several...)";
    static constexpr std::string_view moreText = "(More...)";
    static constexpr std::string_view noneText = "(None...)";

private:
    struct Column {
        std::string name;
        FieldId id = 0;
        bool special = false;
        bool extensible = false;
    };
    const Column* columnAt(int column) const;
    // The product's value and whether it came from the category's default.
    std::pair<std::string_view, bool> value(const TNewProduct& product, const Column& column) const;

    const FieldDefinitions& definitions_;
    int customMax_ = 0;
    std::vector<Column> columns_; // columns 1 on
};

} // namespace qs
