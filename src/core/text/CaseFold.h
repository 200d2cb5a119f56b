#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qs {

// Case folding for Windows-1252 text: the ASCII letters and the accented
// letters of the code page compare equal to their other case.
unsigned char foldCase(unsigned char c);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
std::size_t hashIgnoreCase(std::string_view text);
std::string lowerCased(std::string_view text);

} // namespace qs
