#pragma once

#include <string_view>

namespace qs {

struct OpenSettings;
class UserInterface;

// "C&ustom Fields": asks how many custom-field columns the product grid shows
// until the answer is 0 to 10, then keeps it in the shop's settings (written
// by the next save). An answer that is no whole number counts as the number
// read last; Cancel ends the command with nothing changed. True when set.
bool CustomFieldsCommand(OpenSettings& settings, UserInterface& ui);

inline constexpr std::string_view customFieldsCaption = "Custom Fields";
inline constexpr std::string_view customFieldsPrompt = "How many custom fields (0-10) do you want displayed?";

} // namespace qs
