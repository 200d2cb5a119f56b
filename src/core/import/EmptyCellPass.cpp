#include "import/EmptyCellPass.h"

#include "catalogue/FieldNames.h"
#include "fields/FieldDefinitions.h"
#include "import/ImportSheet.h"

#include <string>

namespace qs {

EmptyCellPass::EmptyCellPass(ImportSheet& sheet, const FieldDefinitions& fields, ImportQuestions& questions)
    : sheet_(sheet), questions_(questions), remembered_(sheet.columnCount(), EmptyCellAnswer::None)
{
    const ColumnAssignments& assignments = sheet_.assignments();
    for (std::size_t f = 0; f < assignments.fieldCount(); ++f)
        if (!assignments.columnsOf(f).empty())
            fields_.push_back({fields.FieldNameAt(static_cast<std::ptrdiff_t>(f)) == categoryField,
                               &assignments.columnsOf(f)});
}

void EmptyCellPass::answerEveryCell(EmptyCellAnswer answer)
{
    std::fill(remembered_.begin(), remembered_.end(), answer);
}

bool EmptyCellPass::run()
{
    if (fields_.empty())
        return true;
    for (std::size_t row = 0; row < sheet_.rowCount(); ++row)
        if (sheet_.rowType(row) == RowType::Product && !settleRow(row))
            return false;
    return true;
}

bool EmptyCellPass::settleRow(std::size_t row)
{
    RowCells& cells = cells_;
    cells.read(row);
    std::string rowCategory;
    for (const Field& field : fields_) {
        for (const std::size_t column : *field.columns) {
            const std::string_view value = cells[column];
            if (!value.empty()) {
                sheet_.previousValue(column).assign(value);
                if (field.isCategory)
                    rowCategory.assign(value);
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
            switch (answer) {
            case EmptyCellAnswer::IgnoreRow:
                sheet_.setRowType(row, RowType::Suppress);
                return true;
            case EmptyCellAnswer::FillFromPrevious:
                if (!sheet_.previousValue(column).empty())
                    sheet_.setCell(row, column, sheet_.previousValue(column));
                break;
            case EmptyCellAnswer::LeaveBlank:
            case EmptyCellAnswer::None:
                if (field.isCategory && !rowCategory.empty())
                    sheet_.setCell(row, column, rowCategory);
                break;
            }
        }
    }
    return true;
}

} // namespace qs
