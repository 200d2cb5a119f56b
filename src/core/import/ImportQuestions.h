#pragma once

#include "core/import/TableSplitter.h"

#include <cstddef>
#include <string>

namespace qs {

// What the field-not-defined question offers for a field without a column.
enum class MissingFieldChoice { Return, Default, LeaveBlank };

// A mandatory or recommended field that no column feeds, as the question
// about it shows it.
struct MissingField {
    std::string name;
    std::string importance; // "Mandatory" or "Recommended"
    std::string warning;
    bool unique = false;

    std::string text() const;
    // A unique field cannot be filled from a category default: the merchant
    // is steered back to the importer.
    bool defaultAllowed() const { return !unique; }
    MissingFieldChoice initialChoice() const
    {
        return unique ? MissingFieldChoice::Return : MissingFieldChoice::Default;
    }
    bool ignoreRecommendedAllowed() const { return importance == "Recommended"; }
};

struct MissingFieldAnswer {
    bool confirmed = false; // false: cancelled
    MissingFieldChoice choice = MissingFieldChoice::Return;
    bool ignoreRecommended = false;
};

// The empty-cell question's answers; None is no answer yet.
enum class EmptyCellAnswer { None, LeaveBlank, IgnoreRow, FillFromPrevious };

struct EmptyCellReply {
    bool cancelled = false;
    EmptyCellAnswer answer = EmptyCellAnswer::LeaveBlank;
    bool remember = true; // the answer stands for the rest of the cell's column
};

// The importer's own questions, put by the window's dialogs, by the command
// line's flags or by a test's script.
class ImportQuestions {
public:
    virtual ~ImportQuestions() = default;

    // ignoreRecommended: the tick the question's box has now.
    virtual MissingFieldAnswer missingField(const MissingField& field, bool ignoreRecommended) = 0;
    // The cell is shown to the merchant before the question.
    virtual EmptyCellReply emptyCell(const CellPosition& cell) = 0;
};

} // namespace qs
