#include "core/import/EmptyCellPass.h"

#include "core/import/ImportSheet.h"

#include <algorithm>

#include <string>

namespace qs {

EmptyCellPass::EmptyCellPass(ImportSheet& sheet, ImportQuestions& questions)
    : sheet_(sheet), questions_(questions), remembered_(sheet.columnCount(), EmptyCellAnswer::None)
{
    const ColumnAssignments& assignments = sheet_.assignments();
    for (std::size_t f = 0; f < assignments.fieldCount(); ++f)
        if (!assignments.columnsOf(f).empty())
            fields_.push_back(&assignments.columnsOf(f));
}

void EmptyCellPass::answerEveryCell(EmptyCellAnswer answer)
{
    std::fill(remembered_.begin(), remembered_.end(), answer);
}

bool EmptyCellPass::run()
{
    if (fields_.empty())
        return true;
    RowCells cells(sheet_);
    for (std::size_t row = 0; row < sheet_.rowCount(); ++row) {
        if (sheet_.rowType(row) != RowType::Product)
            continue;
        cells.read(row);
        if (!settleRow(row, cells))
            return false;
    }
    return true;
}

bool EmptyCellPass::asksNothing() const
{
    return std::find(remembered_.begin(), remembered_.end(), EmptyCellAnswer::None) == remembered_.end();
}

bool EmptyCellPass::settleRow(std::size_t row, RowCells& cells)
{
    if (sheet_.rowType(row) != RowType::Product)
        return true;
    for (const std::vector<std::size_t>* columns : fields_) {
        for (const std::size_t column : *columns) {
            const std::string_view value = cells[column];
            if (!value.empty()) {
                sheet_.previousValue(column).assign(value);
                continue;
            }
            EmptyCellAnswer answer = remembered_[column];
            if (answer == EmptyCellAnswer::None) {
                const EmptyCellReply reply = questions_.emptyCell({row, column});
                if (reply.cancelled)
                    return false;
                answer = reply.answer;
                if (reply.remember)
                    remembered_[column] = answer;
            }
            if (answer == EmptyCellAnswer::IgnoreRow) {
                sheet_.setRowType(row, RowType::Suppress);
                return true;
            }
            if (answer == EmptyCellAnswer::FillFromPrevious && !sheet_.previousValue(column).empty()) {
                sheet_.setCell(row, column, sheet_.previousValue(column));
                cells.refresh(column);
            }
        }
    }
    return true;
}

} // namespace qs
