#include "core/fields/CommaList.h"

namespace qs {
namespace {

bool isSpace(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

} // namespace

std::vector<std::string> parseCommaList(std::string_view text)
{
    // A NUL byte ends the text, as it ends the line in the file's own readers.
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> tokens;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isSpace(text[i]))
        ++i;
    while (i < n) {
        std::string token;
        if (text[i] == '"') {
            ++i;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        token.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                token.push_back(text[i++]);
            }
        } else {
            const std::size_t start = i;
            while (i < n && text[i] != ',' && !isSpace(text[i]))
                ++i;
            token.assign(text.substr(start, i - start));
        }
        tokens.push_back(std::move(token));
        while (i < n && isSpace(text[i]))
            ++i;
        if (i < n && text[i] == ',') {
            ++i;
            while (i < n && isSpace(text[i]))
                ++i;
        }
    }
    return tokens;
}

} // namespace qs
