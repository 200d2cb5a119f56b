#include "core/catalogue/MemoText.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

TEST(MemoText, BrIsALineBreakOnlyBetweenLines)
{
    // A stored value, the editor's text for it, and back unchanged.
    const std::pair<const char*, const char*> values[] = {
        {"", ""},
        {"1", "1"},
        {"Red<br>", "Red\n"},
        {"a<br>b", "a\nb"},
        {"<br><br>", "\n\n"},
        {"a<BR>b", "a<BR>b"},
        {"<br", "<br"},
        {"a<br>b<br>c", "a\nb\nc"},
    };
    for (const auto& [stored, text] : values) {
        EXPECT_EQ(memoText(stored), text) << stored;
        EXPECT_EQ(memoValue(memoText(stored)), stored) << stored;
    }
}

TEST(MemoText, EveryKindOfLineBreakIsStoredAsOneBr)
{
    const std::pair<const char*, const char*> typed[] = {{"a\r\nb", "a<br>b"},
                                                         {"a\nb", "a<br>b"},
                                                         {"a\rb", "a<br>b"},
                                                         {"a\n\nb", "a<br><br>b"},
                                                         {"Red", "Red"}};
    for (const auto& [text, stored] : typed)
        EXPECT_EQ(memoValue(text), stored) << text;
}

} // namespace
} // namespace qs
