// Any bytes read as an import table, split at commas or at TABs, give rows
// and cells that can be read, a report, and a merge-ready sheet.
#include "fields/FieldDefinitions.h"
#include "import/ImportSheet.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const qs::FieldDefinitions fields;
    for (const char delimiter : {',', '\t'}) {
        auto table = std::make_shared<qs::ImportTable>(bytes, delimiter);
        (void)table->readingReport();
        qs::ImportSheet sheet(table, fields.count());
        qs::RowCells cells(sheet);
        for (std::size_t row = 0; row < sheet.rowCount(); ++row) {
            cells.read(row);
            bool any = false;
            for (std::size_t column = 0; column < sheet.columnCount(); ++column)
                any = any || !cells[column].empty();
            // Trailing empty rows are left out, so the last row holds something.
            if (row + 1 == sheet.rowCount() && !any)
                std::abort();
        }
        sheet.useFirstRowAsHeadings(fields);
    }
    return 0;
}
