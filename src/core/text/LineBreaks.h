#pragma once

#include <string>
#include <string_view>

namespace qs {

// The text with every line break written as lineBreak. CR LF and LF CR are
// one break each, as are a lone CR and a lone LF: the system's own messages
// use all four.
std::string withLineBreaks(std::string_view text, std::string_view lineBreak);

} // namespace qs
