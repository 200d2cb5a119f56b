#include "core/import/ColumnCheck.h"

#include "core/fields/FieldDefinitions.h"
#include "core/import/ColumnAssignments.h"
#include "core/import/ETableValidate.h"
#include "core/import/ImportQuestions.h"

namespace qs {

std::string MissingField::text() const
{
    return "You have not defined a column for the '" + name + "' field. This field is set to '" + importance +
           "' for the following reason:-\n\n" + warning;
}

void checkColumns(const FieldDefinitions& fields, const ColumnAssignments& assignments,
                  ImportQuestions& questions)
{
    bool ignoreRecommended = false;
    for (std::size_t f = 0; f < fields.count() && f < assignments.fieldCount(); ++f) {
        if (!assignments.columnsOf(f).empty())
            continue;
        const std::string_view name = fields.FieldNameAt(static_cast<std::ptrdiff_t>(f));
        const std::string_view importance = fields.FieldAttribute(name, FieldDefinitions::Importance);
        const bool mandatory = importance == "Mandatory";
        if (!mandatory && (importance != "Recommended" || ignoreRecommended))
            continue;
        const MissingField missing{std::string(name), std::string(importance),
                                   std::string(fields.FieldAttribute(name, FieldDefinitions::Warning)),
                                   fields.FieldAttribute(name, FieldDefinitions::Unique) == "Yes"};
        const MissingFieldAnswer answer = questions.missingField(missing, ignoreRecommended);
        if (!answer.confirmed || answer.choice == MissingFieldChoice::Return) {
            if (mandatory)
                throw EMissingMandatoryField(missing.name);
            throw EMissingRecommendedField(missing.name);
        }
        if (missing.ignoreRecommendedAllowed())
            ignoreRecommended = answer.ignoreRecommended;
    }
}

} // namespace qs
