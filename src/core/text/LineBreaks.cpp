#include "core/text/LineBreaks.h"

#include <cstring>

namespace qs {

std::string withLineBreaks(std::string_view text, std::string_view lineBreak)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            result.push_back(c);
            continue;
        }
        result.append(lineBreak);
        const char partner = c == '\r' ? '\n' : '\r';
        if (i + 1 < text.size() && text[i + 1] == partner)
            ++i;
    }
    return result;
}

bool hasLineBreak(std::string_view text)
{
    return std::memchr(text.data(), '\r', text.size()) || std::memchr(text.data(), '\n', text.size());
}

} // namespace qs
