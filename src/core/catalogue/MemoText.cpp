#include "core/catalogue/MemoText.h"

#include "core/catalogue/ValueRules.h"

namespace qs {

namespace {

constexpr std::string_view storedBreak = "<br>";

} // namespace

std::string memoText(std::string_view storedValue)
{
    std::string text;
    text.reserve(storedValue.size());
    std::size_t start = 0;
    for (std::size_t at; (at = storedValue.find(storedBreak, start)) != std::string_view::npos;
         start = at + storedBreak.size())
        text.append(storedValue.substr(start, at - start)).push_back('\n');
    text.append(storedValue.substr(start));
    return text;
}

std::string memoValue(std::string_view text)
{
    return oneLineValue(text);
}

} // namespace qs
