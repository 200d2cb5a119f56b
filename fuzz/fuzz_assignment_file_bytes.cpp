// Any bytes as the column assignment file (.sff) beside a table of five
// columns, read and written in memory: each column goes to at most one
// field, and what is written assigns the same columns again and is then
// written the same.
#include "RoundTrip.h"

#include "core/fields/FieldDefinitions.h"
#include "core/import/AssignmentFile.h"
#include "core/import/ColumnAssignments.h"
#include "core/text/LineSplitter.h"

#include <cstdint>

namespace {

using qs::fuzz::check;

constexpr std::size_t tableColumns = 5;

struct Assigned {
    qs::ColumnAssignments assignments;

    // The same columns for every field, in the same order.
    bool operator==(const Assigned& other) const
    {
        for (std::size_t field = 0; field < assignments.fieldCount(); ++field)
            if (assignments.columnsOf(field) != other.assignments.columnsOf(field))
                return false;
        return true;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const qs::FieldDefinitions fields;
    const auto read = [&](std::string_view bytes) {
        Assigned read{qs::ColumnAssignments(fields.count(), tableColumns)};
        qs::assignColumns(qs::firstLine(bytes), read.assignments, fields);
        for (std::size_t field = 0; field < fields.count(); ++field)
            for (const std::size_t column : read.assignments.columnsOf(field))
                check(read.assignments.fieldOf(column) == field,
                      "a column belongs to the field that lists it");
        return read;
    };
    const auto write = [&](const Assigned& read) { return qs::assignmentLine(read.assignments, fields); };
    qs::fuzz::checkRoundTrip(qs::fuzz::bytesOf(data, size), read, write);
    return 0;
}
