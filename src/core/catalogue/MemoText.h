#pragma once

#include <string>
#include <string_view>

namespace qs {

// The multi-line editor works on a one-line value as lines: every "<br>"
// (exactly so, with regard to case) is a line break.
std::string memoText(std::string_view storedValue);

// The lines joined with "<br>" for storing. A break goes only between lines,
// never after the last, so a value that went through the editor unchanged
// comes back as it was; CR LF, LF and CR are one break each.
std::string memoValue(std::string_view text);

} // namespace qs
