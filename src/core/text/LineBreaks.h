#pragma once

#include <string>
#include <string_view>

namespace qs {

// The text with every line break written as lineBreak. CR LF and LF CR are
// one break each, as are a lone CR and a lone LF: the system's own messages
// use all four.
std::string withLineBreaks(std::string_view text, std::string_view lineBreak);

// Whether the text holds a CR or an LF. Checked on every value a big import
// stores, so it looks for each with memchr rather than character by character.
bool hasLineBreak(std::string_view text);

} // namespace qs
