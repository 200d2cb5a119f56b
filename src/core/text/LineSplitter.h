#pragma once

#include <algorithm>
#include <string_view>

namespace qs {

// Calls onLine for every line of text. A line ends at CR LF, LF or a lone CR;
// a last line without a line end still counts, and a line end at the very
// end of the text does not start a further, empty line.
template <typename OnLine> void forEachLine(std::string_view text, OnLine&& onLine)
{
    // Two quick searches beat one look at every byte, as in LineReader: the
    // next LF is remembered, so that text with CR line ends only is not
    // searched to its end for every line.
    const std::size_t size = text.size();
    std::size_t lf = std::min(text.find('\n'), size);
    std::size_t start = 0;
    while (start < size) {
        if (lf < start)
            lf = std::min(text.find('\n', start), size);
        const std::size_t end = std::min(text.substr(0, lf).find('\r', start), lf);
        onLine(text.substr(start, end - start));
        start = end + 1;
        // The LF of a CR LF ends the same line.
        if (end + 1 == lf && text[end] == '\r')
            ++start;
    }
}

// The first line of text, as forEachLine gives it; empty for empty text.
inline std::string_view firstLine(std::string_view text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

} // namespace qs
