#include "core/settings/TermsAndConditions.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

TEST(TermsAndConditionsTest, LinesRoundTripWhateverTheirBreaks)
{
    test::TempFolder folder;
    const std::string path = folder.file("termcondition.txt");
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"One\nTwo", "One\r\nTwo\r\n", "One\nTwo"},
        {"One\r\n\r\nTwo\rThree", "One\r\n\r\nTwo\r\nThree\r\n", "One\n\nTwo\nThree"},
        {"Last line empty\n", "Last line empty\r\n\r\n", "Last line empty\n"},
        {"", "", ""}};
    for (const auto& [typed, file, shown] : cases) {
        writeTerms(path, typed);
        EXPECT_EQ(folder.read("termcondition.txt"), file) << typed;
        EXPECT_EQ(readTerms(path, "\n"), shown) << typed;
    }
    EXPECT_EQ(readTerms(folder.file("missing.txt"), "\n"), "");
}

} // namespace
} // namespace qs
