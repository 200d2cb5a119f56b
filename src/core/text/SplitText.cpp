#include "core/text/SplitText.h"

namespace qs {

std::vector<std::string_view> SplitText(std::string_view text, char delimiter)
{
    return SplitText(text, std::string_view(&delimiter, 1));
}

std::vector<std::string_view> SplitText(std::string_view text, std::string_view delimiter)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const auto at = delimiter.empty() ? std::string_view::npos : text.find(delimiter, start);
        if (at == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, at - start));
        start = at + delimiter.size();
    }
}

} // namespace qs
