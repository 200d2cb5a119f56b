#include "core/catalogue/ShopReadableValue.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

TEST(ShopReadableValueTest, ReadsWhatTheShopsScriptsRead)
{
    struct Case {
        const char* field;
        const char* value;
        bool perType;
        bool readable;
    };
    const Case cases[] = {
        {"Price", "12", false, true},
        {"Price", " 12.50 ", false, true},
        {"Price", ".5", false, true},
        {"Price", "", false, true},
        {"Price", "123456789012.99", false, true},
        {"Price", "1234567890123", false, false},
        {"Price", ".", false, false},
        {"Price", "12,50", false, false},
        {"Price",
         "\xA3"
         "5",
         false, false},
        {"Price", "5 GBP", false, false},
        {"Price", "-5", false, false},
        {"Price", "1.2.3", false, false},
        {"Price", "40.00|45.00", false, false},
        {"Price", "40.00|45.00", true, true},
        {"Price", "40.00||", true, true},
        {"Price", "40.00|4,5", true, false},
        {"Weight", "1234567", false, true},
        {"Weight", "12345678", false, false},
        {"Weight", "0001234567.500000", false, true},
        {"Weight", "0.0625", false, true},
        {"Weight", "0.000001", false, true},
        {"Weight", "0.0000001", false, false},
        {"Weight", "250 g", false, false},
        {"Tax Code", "12,50", false, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readableByShop(c.field, c.value, c.perType), c.readable)
            << c.field << " \"" << c.value << "\"" << (c.perType ? " per type" : "");
}

TEST(ShopReadableValueTest, GuessesTheNumberMeantOnlyWhereItIsSafe)
{
    const std::pair<const char*, const char*> cases[] = {
        {"12,50", "12.50"},
        {"1,5", "1.5"},
        {"\xA3"
         "1,250.00",
         "1250.00"},
        {"1,250", "1250"},
        {"5 GBP", "5"},
        {"250g", "250"},
        {"\x80"
         "9.99",
         "9.99"},
        {"ask us", ""},
        {"-5.00", ""},
        {"(5.00)", ""},
        {"\xA3"
         "10-\xA3"
         "12",
         ""},
        {"1.2.3", ""},
        {"1,2,3", "123"},
    };
    for (const auto& [typed, meant] : cases)
        EXPECT_EQ(likelyNumber(typed), meant) << typed;
}

TEST(ShopReadableValueTest, TheNoteSaysWhatTheShopDoesAndWhatWouldWork)
{
    EXPECT_EQ(unreadableValueNote("Price", "12.50", false), "");
    EXPECT_EQ(unreadableValueNote("Price", "12,50", false),
              "The shop cannot read the price \"12,50\", so it will show \"Price on request\". Type a plain "
              "number such as 12.50, without a currency sign.");
    EXPECT_EQ(unreadableValueNote("Weight", "heavy", true),
              "The shop cannot read the weight \"heavy\", so the product will weigh nothing in the postage. "
              "Type a plain number such as 250, without a unit.");
    EXPECT_EQ(
        unreadableValueNote("Price", "40|45", false),
        "This shop keeps one price for all of a product's types, so it cannot read \"40|45\" and it will "
        "show \"Price on request\". Type one price such as 40; the Help's \"Types\" page says how to "
        "give each type its own price.");
}

} // namespace
} // namespace qs
