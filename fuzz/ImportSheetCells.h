#pragma once

namespace qs {
class ImportSheet;
}

namespace qs::fuzz {

// Reads every cell of the sheet, as the importer's grid shows them: no
// row holds anything past the last column, no cell holds a NUL byte (none
// may reach a shop file), and the last row holds something (trailing empty
// rows are left out).
void checkEveryCell(const ImportSheet& sheet);

} // namespace qs::fuzz
