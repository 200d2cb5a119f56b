// Any bytes as a table to import, comma-separated and TAB-separated, read in
// memory as the importer reads a table file, whatever their encoding: rows
// and cells that can be read, headings taken from the first row, and a
// report of what the reading changed.
#include "FuzzShop.h"
#include "ImportSheetCells.h"

#include "core/fields/FieldDefinitions.h"
#include "core/import/ImportSheet.h"
#include "core/import/ImportTable.h"

#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const qs::FieldDefinitions fields;
    for (const char delimiter : {',', '\t'}) {
        auto table = std::make_shared<qs::ImportTable>(qs::fuzz::bytesOf(data, size), delimiter);
        (void)table->readingReport();
        qs::ImportSheet sheet(table, fields.count());
        qs::fuzz::checkEveryCell(sheet);
        sheet.useFirstRowAsHeadings(fields);
    }
    return 0;
}
