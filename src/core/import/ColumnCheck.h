#pragma once

namespace qs {

class ColumnAssignments;
class FieldDefinitions;
class ImportQuestions;

// Before a merge: every mandatory field, and every recommended one unless
// the merchant chose to ignore them, must have a column, or the merchant
// must agree to leave it without one. Throws EMissingMandatoryField or
// EMissingRecommendedField (both ETableValidate) when the merchant goes back
// to the importer instead.
void checkColumns(const FieldDefinitions& fields, const ColumnAssignments& assignments,
                  ImportQuestions& questions);

} // namespace qs
