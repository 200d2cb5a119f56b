#pragma once

#include "core/import/ImportQuestions.h"
#include "core/import/ImportSheet.h"

#include <cstddef>
#include <vector>

namespace qs {

// Before a merge: every empty cell of an assigned column in a product row
// is settled with the merchant, row by row and field by field, unless the
// merchant's answer for its column stands already. The answers write into
// the sheet (a filled cell, a row now "Suppress"), so the merge sees the
// settled table. Each column's last non-empty value is kept in the sheet
// for "Fill in This Cell From the Previous Entry".
class EmptyCellPass {
public:
    EmptyCellPass(ImportSheet& sheet, ImportQuestions& questions);

    // The answer that stands for every column from the start.
    void answerEveryCell(EmptyCellAnswer answer);
    // False when the merchant cancelled: the cells settled so far stay so.
    bool run();

    // Whether every column has its answer, so that nothing can be asked.
    bool asksNothing() const;
    // Settles one product row whose cells were read, and brings them up to
    // date with what it changed. False when the merchant cancelled.
    bool settleRow(std::size_t row, RowCells& cells);

private:
    ImportSheet& sheet_;
    ImportQuestions& questions_;
    // The columns of each field that has any, in the definitions' order.
    std::vector<const std::vector<std::size_t>*> fields_;
    std::vector<EmptyCellAnswer> remembered_;
};

} // namespace qs
