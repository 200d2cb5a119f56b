#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qs {

// Parses a comma list: blanks and control characters (codes 1 to 32) around
// tokens are skipped; a token that begins with a double quote runs to the
// closing quote, a doubled quote inside standing for one; any other token ends
// at the next comma or character of code 1 to 32. Two commas in a row give an
// empty token; a comma at the very end starts no further token.
std::vector<std::string> parseCommaList(std::string_view text);

} // namespace qs
