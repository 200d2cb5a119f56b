#include "core/settings/StoredText.h"

namespace qs {

namespace {

std::string describe(std::string_view separator)
{
    if (separator == lineBreakSeparator)
        return "a line break";
    if (separator == tabSeparator)
        return "a tab";
    return "\"" + std::string(separator) + "\"";
}

bool holds(std::string_view text, std::string_view separator)
{
    if (separator == lineBreakSeparator)
        return text.find_first_of(lineBreakSeparator) != std::string_view::npos;
    return text.find(separator) != std::string_view::npos;
}

} // namespace

std::string separatorRefusal(std::string_view subject, std::string_view text,
                             std::initializer_list<std::string_view> separators)
{
    for (const std::string_view separator : separators)
        if (holds(text, separator))
            return std::string(subject) + " cannot contain " + describe(separator) + ".";
    return {};
}

std::string_view strippedText(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace qs
