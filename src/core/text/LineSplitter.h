#pragma once

#include <string_view>

namespace qs {

// Calls onLine for every line of text. A line ends at CR LF, LF or a lone CR;
// a last line without a line end still counts, and a line end at the very
// end of the text does not start a further, empty line.
template <typename OnLine> void forEachLine(std::string_view text, OnLine&& onLine)
{
    std::size_t start = 0;
    const std::size_t size = text.size();
    while (start < size) {
        std::size_t end = start;
        while (end < size && text[end] != '\n' && text[end] != '\r')
            ++end;
        onLine(text.substr(start, end - start));
        if (end < size && text[end] == '\r' && end + 1 < size && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

// The first line of text, as forEachLine gives it; empty for empty text.
inline std::string_view firstLine(std::string_view text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

} // namespace qs
