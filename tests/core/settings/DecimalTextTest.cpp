#include "core/settings/DecimalText.h"
#include "core/settings/StoredText.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

TEST(DecimalTextTest, OnlyDigitsWithOnePointAreDecimals)
{
    for (const char* text : {"17", "17.5", ".5", "5.", "007", "0"})
        EXPECT_TRUE(isDecimal(text)) << text;
    for (const char* text : {"", ".", "17.5%", "17,5", "-1", "+1", " 1", "1e3", "1.2.3", "inf"})
        EXPECT_FALSE(isDecimal(text)) << text;
}

TEST(DecimalTextTest, TwoDecimalsAreRoundedHalfUpInDecimal)
{
    const std::pair<const char*, const char*> cases[] = {
        {"17.5", "17.50"}, {"0", "0.00"},     {"007", "7.00"},    {".5", "0.50"},       {"5.", "5.00"},
        {"0.125", "0.13"}, {"0.124", "0.12"}, {"9.995", "10.00"}, {"99.999", "100.00"}, {"2.675", "2.68"}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(withTwoDecimals(text), expected) << text;
}

TEST(DecimalTextTest, ARefusalNamesTheFirstSeparatorFound)
{
    const std::tuple<const char*, const char*> cases[] = {{"plain", ""},
                                                          {"a=b", "A name cannot contain \"=\"."},
                                                          {"a\tb", "A name cannot contain a tab."},
                                                          {"a\rb", "A name cannot contain a line break."},
                                                          {"a\nb=c", "A name cannot contain \"=\"."},
                                                          {"a\nb", "A name cannot contain a line break."}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(separatorRefusal("A name", text, {"=", tabSeparator, lineBreakSeparator}), expected)
            << text;
}

} // namespace
} // namespace qs
