#pragma once

#include <string>
#include <string_view>

namespace qs {

// termcondition.txt in the shop's data folder: the terms and conditions as
// typed, each line ended by CR LF.

// The text with its lines joined by lineBreak. A file that is missing or
// cannot be read gives an empty text, so that no shop shows another's terms.
std::string readTerms(const std::string& path, std::string_view lineBreak);
// CR LF, LF and CR in the text each end a line. Throws FileError.
void writeTerms(const std::string& path, std::string_view text);

inline constexpr const char* termsFileName = "termcondition.txt";

// The open shop's file, in its data folder.
std::string termsFile(const std::string& shopDataDir);

} // namespace qs
