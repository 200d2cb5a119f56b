#include "text/Cp1252.h"
#include "text/CaseFold.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

struct Pair {
    const char* cp1252;
    const char* utf8;
};

TEST(Cp1252, ConvertsBothWays)
{
    const Pair pairs[] = {
        {"", ""},
        {"Price", "Price"},
        {"\x80", "\xE2\x82\xAC"}, // euro sign
        {"\x84", "\xE2\x80\x9E"}, // low double quote
        {"\xE9", "\xC3\xA9"},     // e acute
        {"\xFF", "\xC3\xBF"},     // y diaeresis
        {"\x9F", "\xC5\xB8"},     // capital Y diaeresis
        {"\x99", "\xE2\x84\xA2"}, // trade mark
        {"\xA0", "\xC2\xA0"},     // no-break space
        {"\x81", "\xC2\x81"},     // undefined in the code page: the C1 control
        {"Caf\xE9 \x80"
         "5",
         "Caf\xC3\xA9 \xE2\x82\xAC"
         "5"},
    };
    for (const auto& p : pairs) {
        EXPECT_EQ(cp1252ToUtf8(p.cp1252), p.utf8) << p.utf8;
        EXPECT_EQ(utf8ToCp1252(p.utf8), p.cp1252) << p.utf8;
    }
}

TEST(Cp1252, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int c = 1; c < 256; ++c)
        all.push_back(static_cast<char>(c));
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(Cp1252, WhatTheCodePageCannotHoldBecomesAQuestionMark)
{
    const Pair cases[] = {
        {"?", "\xE2\x82\xB9"}, // rupee sign
        {"a?b", "a\xF0\x9F\x98\x80"
                "b"}, // emoji
        {"a?b", "a\xFF"
                "b"}, // not UTF-8 at all
        {"a?b", "a\x80"
                "b"},          // continuation byte without a lead
        {"?", "\xC3"},         // cut short at the end
        {"?", "\xED\xA0\x80"}, // surrogate
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8ToCp1252(c.utf8), c.cp1252) << c.cp1252;
}

// However a malformed sequence is cut up, it must not smuggle in a character:
// over-long forms of "/" least of all.
TEST(Cp1252, MalformedSequencesGiveOnlyQuestionMarks)
{
    for (const char* malformed :
         {"\xC0\xAF", "\xC1\xA9", "\xE0\x80\xAF", "\xE0\x82\xAC", "\xF0\x80\x80\xAF", "\xE2\x82",
          "\xE2\x82"
          "A",
          "\xF8\x88\x80\x80\x80"}) {
        std::string out = utf8ToCp1252(malformed);
        if (!out.empty() && out.back() == 'A')
            out.pop_back();
        EXPECT_FALSE(out.empty());
        EXPECT_EQ(out.find_first_not_of('?'), std::string::npos) << out;
    }
}

TEST(CaseFold, FoldsTheLettersOfTheCodePageOnly)
{
    EXPECT_TRUE(equalsIgnoreCase("\xC0\xC9\xD6\xDE\x8A\x8C\x8E\x9F", "\xE0\xE9\xF6\xFE\x9A\x9C\x9E\xFF"));
    EXPECT_TRUE(equalsIgnoreCase("Custom FIELD 1", "custom field 1"));
    EXPECT_FALSE(equalsIgnoreCase("\xD7", "\xF7")); // multiplication and division signs
    EXPECT_FALSE(equalsIgnoreCase("@", "`"));
    EXPECT_FALSE(equalsIgnoreCase("a", "ab"));
    EXPECT_EQ(hashIgnoreCase("\xC9T\xC9"), hashIgnoreCase("\xE9t\xE9"));
    EXPECT_EQ(lowerCased("ABC \xC9"), "abc \xE9");
}

} // namespace
} // namespace qs
