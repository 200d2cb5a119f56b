#include "core/text/Cp1252.h"
#include "core/text/CaseFold.h"

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
        EXPECT_EQ(utf8ToCp1252(p.utf8).bytes, p.cp1252) << p.utf8;
        EXPECT_TRUE(utf8ToCp1252(p.utf8).converted()) << p.utf8;
    }
}

TEST(Cp1252, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int c = 1; c < 256; ++c)
        all.push_back(static_cast<char>(c));
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)).bytes, all);
}

// Nothing the code page cannot hold is ever replaced: the text is refused,
// and the refusal names the first such character.
TEST(Cp1252, RefusesTextWithACharacterTheCodePageCannotHold)
{
    struct Case {
        const char* utf8;
        std::size_t offset;
        char32_t codePoint;
        const char* named; // in the refusal
    };
    const Case cases[] = {
        {"\xC5\x81\xC3\xB3\x64\xC5\xBA \xE2\x82\xAC"
         "5",
         0, 0x141, "U+0141 (LATIN CAPITAL LETTER L WITH STROKE)"}, // Łódź €5
        {"\xC3\xB3\x64\xC5\xBA \xE2\x82\xAC"
         "5",
         3, 0x17A, "U+017A (LATIN SMALL LETTER Z WITH ACUTE)"}, // ódź €5: the euro sign fits
        {"\xE2\x82\xB9", 0, 0x20B9, "U+20B9 (INDIAN RUPEE SIGN)"},
        {"a\xF0\x9F\x98\x80"
         "b",
         1, 0x1F600, "U+1F600 (GRINNING FACE)"},
        {"\xED\xA0\x80", 0, 0xD800, "U+D800"}, // a surrogate
        {"a\xFF"
         "b",
         1, notACharacter, "Bytes that are no UTF-8 character"},
        {"ab\x80", 2, notACharacter, "Bytes that are no UTF-8 character"}, // a continuation without a lead
        {"\xC3", 0, notACharacter, "Bytes that are no UTF-8 character"},   // cut short at the end
        {"\xE2\x82"
         "A",
         0, notACharacter, "Bytes that are no UTF-8 character"},
        // Over-long forms of "/" and of the euro sign smuggle in nothing.
        {"\xC0\xAF", 0, notACharacter, "Bytes that are no UTF-8 character"},
        {"\xE0\x80\xAF", 0, notACharacter, "Bytes that are no UTF-8 character"},
        {"\xE0\x82\xAC", 0, notACharacter, "Bytes that are no UTF-8 character"},
        {"\xF0\x80\x80\xAF", 0, notACharacter, "Bytes that are no UTF-8 character"},
        {"\xF8\x88\x80\x80\x80", 0, notACharacter, "Bytes that are no UTF-8 character"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.named);
        const auto outside = firstCharacterOutsideCp1252(c.utf8);
        ASSERT_TRUE(outside.has_value());
        EXPECT_EQ(outside->offset, c.offset);
        EXPECT_EQ(outside->codePoint, c.codePoint);
        const Cp1252Conversion converted = utf8ToCp1252(c.utf8);
        EXPECT_FALSE(converted.converted());
        EXPECT_EQ(converted.bytes, "");
        EXPECT_NE(converted.refusal.find(c.named), std::string::npos) << converted.refusal;
        EXPECT_NE(converted.refusal.find("Windows-1252"), std::string::npos) << converted.refusal;
    }
    EXPECT_FALSE(firstCharacterOutsideCp1252("Caf\xC3\xA9 \xE2\x82\xAC"
                                             "5")
                     .has_value());
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
