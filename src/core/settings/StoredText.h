#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace qs {

// The option files separate their entries with a few characters: "=" after
// a name, TAB between columns, "::" between pieces, a line break after each
// line. A text holding one of its file's separators would split or cut the
// entry on the next reading, so it is refused with a message naming it.

// Any line break: CR or LF.
inline constexpr std::string_view lineBreakSeparator = "\r\n";
inline constexpr std::string_view tabSeparator = "\t";

// Why the text cannot be stored, naming the subject and the first of the
// separators it holds ("An area name cannot contain \"=\"."); empty when it can.
std::string separatorRefusal(std::string_view subject, std::string_view text,
                             std::initializer_list<std::string_view> separators);

// The text without the blanks and control characters at either end, which
// do not count as typed.
std::string_view strippedText(std::string_view text);

} // namespace qs
