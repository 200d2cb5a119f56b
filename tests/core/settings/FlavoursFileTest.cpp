#include "core/settings/FlavoursFile.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

TEST(FlavoursFile, ReadsEveryLineEndSkipsEmptyLinesAndWritesCrLf)
{
    struct Case {
        std::string_view bytes;
        OptionTable options;
        std::string_view written;
    };
    const Case cases[] = {
        {"", {}, ""},
        {"Size\tSmall\tLarge\r\nColour\tRed\r\n",
         {{"Size", {"Small", "Large"}}, {"Colour", {"Red"}}},
         "Size\tSmall\tLarge\r\nColour\tRed\r\n"},
        {"\r\n\r\nSize\tS\n\nGift wrap\rColour\t\tRed\t", // no line end at the end
         {{"Size", {"S"}}, {"Gift wrap", {}}, {"Colour", {"", "Red", ""}}},
         "Size\tS\r\nGift wrap\r\nColour\t\tRed\t\r\n"},
        {"\tOrphan\r\n", {{"", {"Orphan"}}}, "\tOrphan\r\n"},
    };
    for (const Case& c : cases) {
        const OptionTable options = parseFlavours(c.bytes);
        EXPECT_EQ(options, c.options) << c.bytes;
        EXPECT_EQ(flavoursBytes(options), c.written) << c.bytes;
    }
}

} // namespace
} // namespace qs
