#include "core/fields/CommaList.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

using Tokens = std::vector<std::string>;

struct Case {
    const char* what;
    std::string text;
    Tokens tokens;
};

TEST(CommaList, ParsesTokensByTheFileRules)
{
    const Case cases[] = {
        {"empty text", "", {}},
        {"only blanks", " \t ", {}},
        {"canonical form",
         R"(Decimal,Mandatory,"The weight, in units.","Needed.",No,No)",
         {"Decimal", "Mandatory", "The weight, in units.", "Needed.", "No", "No"}},
        {"doubled quote inside quotes", R"("say ""hi""",x)", {R"(say "hi")", "x"}},
        {"empty quoted token", R"("",x)", {"", "x"}},
        {"control characters skipped before a token", "\x01\t\n a,\x1F b", {"a", "b"}},
        {"blanks around commas", "a , b ,c", {"a", "b", "c"}},
        {"unquoted token ends at a blank",
         "Special,Optional,The filename,x",
         {"Special", "Optional", "The", "filename", "x"}},
        {"two commas give an empty token", "a,,b", {"a", "", "b"}},
        {"leading comma gives an empty token", ",a", {"", "a"}},
        {"comma at the very end starts no token", "a,b,", {"a", "b"}},
        {"two commas at the end", "a,,", {"a", ""}},
        {"unterminated quote runs to the end", R"(a,"open, never closed)", {"a", "open, never closed"}},
        {"text after a closing quote starts a token", R"("ab"cd,e)", {"ab", "cd", "e"}},
        {"quote inside an unquoted token is kept", R"(a"b,c)", {R"(a"b)", "c"}},
        {"code 33 and above are not blanks",
         "!a,\xA0"
         "b",
         {"!a", "\xA0"
                "b"}},
        {"accented text in quotes", "\"Caf\xE9 cr\xE8me\"", {"Caf\xE9 cr\xE8me"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseCommaList(c.text), c.tokens) << c.what;
}

} // namespace
} // namespace qs
