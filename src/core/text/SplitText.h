#pragma once

#include <string_view>
#include <vector>

namespace qs {

// Splits text at every occurrence of the delimiter. An empty text gives one
// empty piece, two delimiters in a row an empty piece between them, a trailing
// delimiter a trailing empty piece. The pieces view into text.
std::vector<std::string_view> SplitText(std::string_view text, char delimiter);

// The same for a delimiter of several characters, such as "::".
std::vector<std::string_view> SplitText(std::string_view text, std::string_view delimiter);

// Gives onPiece each piece SplitText would, in order, without gathering them.
template <typename OnPiece> void forEachPiece(std::string_view text, char delimiter, OnPiece&& onPiece)
{
    std::size_t start = 0;
    for (;;) {
        const auto at = text.find(delimiter, start);
        if (at == std::string_view::npos) {
            onPiece(text.substr(start));
            return;
        }
        onPiece(text.substr(start, at - start));
        start = at + 1;
    }
}

} // namespace qs
