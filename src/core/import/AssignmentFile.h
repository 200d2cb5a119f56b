#pragma once

#include <string>
#include <string_view>

namespace qs {

class ColumnAssignments;
class FieldDefinitions;

// The column assignment file beside a table: one line naming, for every
// grid column from the row-type column on, the field assigned to it or
// nothing, separated by TABs. The row-type column is never assigned, so the
// line begins with a TAB.

// The table's path up to the last "." of its file name, then ".sff".
std::string assignmentFileName(std::string_view tablePath);

// Assigns (adding, without asking) every column the file names a defined
// field for. A missing or unreadable file assigns nothing; entries for the
// row-type column or past the table's last column are passed over.
void readAssignmentFile(const std::string& path, ColumnAssignments& assignments,
                        const FieldDefinitions& fields);

// The same for the file's first line.
void assignColumns(std::string_view line, ColumnAssignments& assignments, const FieldDefinitions& fields);
// The file's line, CR LF included.
std::string assignmentLine(const ColumnAssignments& assignments, const FieldDefinitions& fields);
// Throws FileError.
void writeAssignmentFile(const std::string& path, const ColumnAssignments& assignments,
                         const FieldDefinitions& fields);

} // namespace qs
