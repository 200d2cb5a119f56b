#include "core/text/SplitText.h"

#include <gtest/gtest.h>

#include <string>

namespace qs {
namespace {

struct SplitCase {
    std::string text;
    std::string delimiter;
    std::vector<std::string_view> pieces;
};

TEST(SplitText, SplitsAtEveryDelimiter)
{
    const SplitCase cases[] = {
        {"", "|", {""}},
        {"a", "|", {"a"}},
        {"a|b|c", "|", {"a", "b", "c"}},
        {"a||b", "|", {"a", "", "b"}},
        {"a|", "|", {"a", ""}},
        {"|a", "|", {"", "a"}},
        {"|", "|", {"", ""}},
        {"a\tb\t", "\t", {"a", "b", ""}},
        {"1,,3", ",", {"1", "", "3"}},
        {"x:y:", ":", {"x", "y", ""}},
        {"a|b", ",", {"a|b"}},
        {"7::Shoes|Boots::Red", "::", {"7", "Shoes|Boots", "Red"}},
        {"a::::b::", "::", {"a", "", "b", ""}},
        {"", "::", {""}},
        {"a:b", "::", {"a:b"}},
        {"a:::b", "::", {"a", ":b"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitText(c.text, std::string_view(c.delimiter)), c.pieces)
            << "\"" << c.text << "\" at \"" << c.delimiter << "\"";
        if (c.delimiter.size() == 1) {
            EXPECT_EQ(SplitText(c.text, c.delimiter[0]), c.pieces) << c.text;
        }
    }
}

} // namespace
} // namespace qs
