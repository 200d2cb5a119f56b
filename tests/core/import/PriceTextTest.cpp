#include "core/import/PriceText.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

TEST(PriceText, KeepsDigitsAndPointOnlyForOnePlainNumber)
{
    struct Case {
        const char* text;
        const char* value;
        bool questionable;
    };
    const Case cases[] = {
        {"\xA3"
         "12.50",
         "12.50", false},
        {"12.50 GBP", "12.50", false},
        {"\xA3"
         "1,250.00",
         "1250.00", false},
        {"1,250", "1250", false},
        {"$.99", ".99", false},
        {"Price: 7.", "7", false},
        {"n/a", "n/a", false},
        {"", "", false},
        {"12,50", "12,50", true},
        {"-5.00", "-5.00", true},
        {"(12.50)", "(12.50)", true},
        {"(\xA3"
         "12.50)",
         "(\xA3"
         "12.50)",
         true},
        {"12.50 (incl. VAT)", "12.50", false},
        {"(was 15) 12.50", "(was 15) 12.50", true},
        {"\xA3"
         "10-\xA3"
         "12",
         "\xA3"
         "10-\xA3"
         "12",
         true},
        {"1.250,00", "1.250,00", true},
        {"1234,567.00", "1234,567.00", true},
        {"1 250.00", "1 250.00", true},
        {"12.5.0", "12.5.0", true},
        {"12,3456", "12,3456", true},
        {"v2 \xA3"
         "9",
         "v2 \xA3"
         "9",
         true},
    };
    for (const auto& c : cases) {
        const PriceText price = reducePrice(c.text);
        EXPECT_EQ(price.value, c.value) << c.text;
        EXPECT_EQ(price.questionable, c.questionable) << c.text;
    }
}

} // namespace
} // namespace qs
