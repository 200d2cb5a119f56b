#pragma once

#include "core/catalogue/FieldNames.h"
#include "core/catalogue/FieldRecord.h"
#include "core/import/CategoryPlacement.h"
#include "core/import/ImportSheet.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

class Catalogue;
class FieldDefinitions;
class ImportedPictures;
class ImportStep;
class RejectLog;
class RenamedProducts;
class TNewCategory;

// Turns the settled rows of the sheet into categories and products, one row
// at a time, adding through the import's step:
// - a "Category" row's last cell that is not blank names the category for
//   the product rows below it (a path when it holds "|"; names made only of
//   blanks are passed over);
// - a product row's columns give one value per field (several columns of a
//   field joined by a blank for "Product Name" and by "|" otherwise; a
//   "Price" reduced to one plain number where it is one; a "Picture" under
//   the name the image folder gives it; the "Category" columns a path) and
//   make one product, unless every assigned cell is empty;
// - a "Suppress" row gives nothing.
// A product keeps its counter-made name when its name is blank or taken in
// its category. A row whose values the catalogue file cannot hold is not
// added, and its reason goes to the log.
class ImportMerge {
public:
    ImportMerge(const ImportSheet& sheet, const FieldDefinitions& fields, Catalogue& catalogue,
                ImportStep& step, TNewCategory& selected, RenamedProducts& renamed, RejectLog& rejects,
                ImportedPictures& pictures);

    // The row's cells as read, settled by the empty-cell pass.
    void mergeRow(std::size_t row, const RowCells& cells);

private:
    enum class Kind { Name, Price, Category, Picture, Other };
    struct Field {
        std::string name;
        Kind kind;
        const std::vector<std::size_t>* columns;
    };

    void setCategory(const RowCells& cells);
    void addProduct(std::size_t row, const RowCells& cells);
    // The row's values and its category path; false when every assigned cell is empty.
    bool buildValues(std::size_t row, const RowCells& cells);
    // Throws RowRefused for a value the catalogue file cannot hold.
    void refuseWhatTheFileCannotHold() const;
    FieldRecord record();

    const ImportSheet& sheet_;
    Catalogue& catalogue_;
    ImportStep& step_;
    RenamedProducts& renamed_;
    RejectLog& rejects_;
    ImportedPictures& pictures_;
    CategoryPlacement placement_;
    std::vector<Field> fields_;
    bool hasCategoryColumn_ = false;
    // For each field number the product takes (every field but "Category"
    // and nameless ones), in ascending order, the field whose value it gets:
    // the last definition of that name.
    std::vector<std::pair<FieldId, std::size_t>> recordOrder_;

    // The row being merged.
    std::vector<std::string> values_;
    std::vector<std::string_view> path_; // views into the row's cells
    // What the last "Category" row named.
    std::string currentText_;
    std::vector<std::string_view> current_;
    FieldRecord::Builder builder_;
};

} // namespace qs
