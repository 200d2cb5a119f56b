#include "core/import/PriceText.h"

#include <algorithm>

namespace qs {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t digitsFrom(std::string_view text, std::size_t at)
{
    std::size_t end = at;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    return end - at;
}

// Digits with an optional fraction ("1250.00", ".5"), or digits grouped in
// thousands by commas ("1,250.00").
bool isPlainNumber(std::string_view number)
{
    std::size_t at = 0;
    const std::size_t lead = digitsFrom(number, 0);
    at = lead;
    if (at < number.size() && number[at] == ',') {
        if (lead == 0 || lead > 3)
            return false;
        while (at < number.size() && number[at] == ',') {
            if (digitsFrom(number, at + 1) != 3)
                return false;
            at += 4;
        }
    }
    if (at < number.size() && number[at] == '.') {
        const std::size_t fraction = digitsFrom(number, at + 1);
        if (fraction == 0)
            return false;
        at += 1 + fraction;
    }
    return at == number.size() && (lead > 0 || number.front() == '.');
}

} // namespace

PriceText reducePrice(std::string_view text)
{
    const auto first = std::find_if(text.begin(), text.end(), isDigit);
    if (first == text.end())
        return {std::string(text), false};
    auto begin = static_cast<std::size_t>(first - text.begin());
    if (begin > 0 && text[begin - 1] == '.')
        --begin;
    const auto last =
        static_cast<std::size_t>(std::find_if(text.rbegin(), text.rend(), isDigit).base() - text.begin());
    const std::string_view number = text.substr(begin, last - begin);
    // A spreadsheet writes a negative amount with a minus sign or in brackets.
    const bool negative = text.find('-') != std::string_view::npos ||
                          (text.substr(0, begin).find('(') != std::string_view::npos &&
                           text.substr(last).find(')') != std::string_view::npos);
    if (negative || !isPlainNumber(number))
        return {std::string(text), true};
    std::string value;
    std::copy_if(number.begin(), number.end(), std::back_inserter(value), [](char c) { return c != ','; });
    return {value, false};
}

} // namespace qs
