#include "core/import/AssignmentFile.h"

#include "core/fields/FieldDefinitions.h"
#include "core/import/ColumnAssignments.h"
#include "core/text/AtomicFile.h"
#include "core/text/FileError.h"
#include "core/text/LineReader.h"
#include "core/text/SplitText.h"

namespace qs {

std::string assignmentFileName(std::string_view tablePath)
{
    const auto nameStart = tablePath.find_last_of('/') + 1;
    const auto dot = tablePath.rfind('.');
    const bool hasExtension = dot != std::string_view::npos && dot >= nameStart;
    return std::string(tablePath.substr(0, hasExtension ? dot : tablePath.size())) + ".sff";
}

void readAssignmentFile(const std::string& path, ColumnAssignments& assignments,
                        const FieldDefinitions& fields)
{
    std::string line;
    try {
        LineReader reader(path, 1 << 16);
        std::string_view first;
        if (!reader.next(first))
            return;
        line.assign(first);
    } catch (const FileError&) {
        return;
    }
    assignColumns(line, assignments, fields);
}

void assignColumns(std::string_view line, ColumnAssignments& assignments, const FieldDefinitions& fields)
{
    const auto entries = SplitText(line, '\t');
    for (std::size_t p = 1; p < entries.size() && p <= assignments.columnCount(); ++p) {
        if (entries[p].empty())
            continue;
        const std::ptrdiff_t field = fields.FieldIndex(entries[p]);
        if (field >= 0 && static_cast<std::size_t>(field) < assignments.fieldCount())
            assignments.assign(p - 1, static_cast<std::size_t>(field), AssignMode::Add);
    }
}

std::string assignmentLine(const ColumnAssignments& assignments, const FieldDefinitions& fields)
{
    std::string line;
    for (std::size_t column = 0; column < assignments.columnCount(); ++column) {
        line.push_back('\t');
        if (const auto field = assignments.fieldOf(column))
            line.append(fields.FieldNameAt(static_cast<std::ptrdiff_t>(*field)));
    }
    return line + "\r\n";
}

void writeAssignmentFile(const std::string& path, const ColumnAssignments& assignments,
                         const FieldDefinitions& fields)
{
    writeFileAtomically(path, assignmentLine(assignments, fields));
}

} // namespace qs
