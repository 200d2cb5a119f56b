#include "ImportSheetCells.h"

#include "FuzzShop.h"

#include "core/import/ImportSheet.h"

namespace qs::fuzz {

void checkEveryCell(const ImportSheet& sheet)
{
    RowCells cells(sheet);
    for (std::size_t row = 0; row < sheet.rowCount(); ++row) {
        cells.read(row);
        bool any = false;
        for (std::size_t column = 0; column < sheet.columnCount(); ++column) {
            any = any || !cells[column].empty();
            check(cells[column].find('\0') == std::string_view::npos, "no cell holds a NUL byte");
        }
        check(cells[sheet.columnCount()].empty(), "no cell holds anything past the last column");
        check(row + 1 < sheet.rowCount() || any, "the last row holds something");
    }
}

} // namespace qs::fuzz
