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

} // namespace qs
