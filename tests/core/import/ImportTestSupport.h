#pragma once

#include "core/import/ImportQuestions.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

namespace qs::test {

// Answers the importer's questions from a script and records them; a
// question nobody prepared an answer for fails the test.
class ScriptedImportQuestions : public ImportQuestions {
public:
    std::deque<MissingFieldAnswer> fieldAnswers;
    std::deque<EmptyCellReply> cellAnswers;
    std::vector<MissingField> fieldsAsked;
    std::vector<CellPosition> cellsAsked;

    MissingFieldAnswer missingField(const MissingField& field, bool) override
    {
        fieldsAsked.push_back(field);
        if (fieldAnswers.empty())
            throw std::logic_error("Unexpected question about " + field.name);
        const MissingFieldAnswer answer = fieldAnswers.front();
        fieldAnswers.pop_front();
        return answer;
    }

    EmptyCellReply emptyCell(const CellPosition& cell) override
    {
        cellsAsked.push_back(cell);
        if (cellAnswers.empty())
            throw std::logic_error("Unexpected empty cell at row " + std::to_string(cell.row + 1));
        const EmptyCellReply reply = cellAnswers.front();
        cellAnswers.pop_front();
        return reply;
    }
};

} // namespace qs::test
