#include "core/catalogue/ValueRules.h"

#include "core/catalogue/FieldNames.h"
#include "core/text/LineBreaks.h"

namespace qs {

std::string oneLineValue(std::string_view text)
{
    return withLineBreaks(text, "<br>");
}

std::string valueRefusal(std::string_view field, std::string_view value)
{
    if (value.find("::") != std::string_view::npos)
        return "A value cannot contain \"::\", which separates the fields of the catalogue file.";
    if (value.ends_with(':'))
        return "A value cannot end with \":\", which would run into the \"::\" after it in the catalogue file.";
    if (hasLineBreak(value))
        return "A value cannot contain a line break; use \"<br>\" instead.";
    const bool isName = field == productNameField || field == categoryNameField;
    if (isName && value.find('|') != std::string_view::npos)
        return "A name cannot contain \"|\", which separates the categories of a path.";
    return {};
}

} // namespace qs
