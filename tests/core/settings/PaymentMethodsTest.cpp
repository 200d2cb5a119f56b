#include "core/settings/PaymentMethods.h"
#include "ScriptedUserInterface.h"
#include "core/settings/ShopSettings.h"

#include <gtest/gtest.h>

#include <tuple>

namespace qs {
namespace {

using test::ScriptedUserInterface;

ShopSettings stored(std::initializer_list<std::pair<const char*, const char*>> keys)
{
    ShopSettings settings;
    for (const auto& [name, value] : keys)
        settings.setValue(name, value);
    return settings;
}

TEST(PaymentMethodsTest, ShowingStartsFromWhatTheSettingsHold)
{
    PaymentMethods form;
    form.phoneBack = form.invoice = true;
    form.accountId = "left from another shop";
    form.fill(stored({{"paymethod", "WorldPay"},
                      {"payurl", "https://pay.test/x"},
                      {"snailorder", "yes"},
                      {"phoneback", "no"},
                      {"PPID", "acct"},
                      {"AUTH", "77"}}));
    EXPECT_EQ(form.chosenMethod, PaymentMethods::WorldPay);
    EXPECT_EQ(form.paymentUrl, "https://pay.test/x");
    EXPECT_FALSE(form.phoneBack);
    EXPECT_TRUE(form.mailOrder);
    EXPECT_FALSE(form.invoice);
    EXPECT_EQ(form.accountId, "acct");
    EXPECT_EQ(form.authorisationType, "77");
    EXPECT_EQ(form.enabled, (PaymentMethods::Enabled{true, true, true, true}));

    // Methods and ticks are read in any capitals, as the shop's scripts read them.
    const std::tuple<const char*, int> methods[] = {{"worldpay", PaymentMethods::WorldPay},
                                                    {" Secure trading ", PaymentMethods::SecureTrading},
                                                    {"", PaymentMethods::NoMethod},
                                                    {"PayPal", PaymentMethods::NoMethod}};
    for (const auto& [method, chosen] : methods) {
        form.fill(stored({{"paymethod", method}, {"invoice", "YES"}}));
        EXPECT_EQ(form.chosenMethod, chosen) << method;
        EXPECT_TRUE(form.invoice) << method;
    }
}

TEST(PaymentMethodsTest, PickingAMethodAppliesItsDefaults)
{
    struct Case {
        int method;
        ShopSettings settings;
        const char* account;
        const char* authorisation;
        PaymentMethods::Enabled enabled;
    };
    const Case cases[] = {
        {PaymentMethods::NetBanx, stored({}), "", "", {true, false, false, true}},
        {PaymentMethods::NetBanx,
         stored({{"PPID", "n1"}, {"AUTH", "9"}}),
         "n1",
         "",
         {true, false, false, true}},
        {PaymentMethods::SecureTrading, stored({}), "TEST", "", {true, false, false, true}},
        {PaymentMethods::WorldPay, stored({}), "1", "101", {true, true, true, true}},
        {PaymentMethods::WorldPay,
         stored({{"PPID", "w"}, {"AUTH", "5"}}),
         "w",
         "5",
         {true, true, true, true}},
        {PaymentMethods::QstlPay, stored({{"AUTH", "q"}}), "1", "q", {true, true, true, true}},
        {PaymentMethods::NoMethod, stored({{"PPID", "x"}}), "", "", {false, false, false, false}},
    };
    for (const Case& c : cases) {
        PaymentMethods form;
        form.authorisationType = "typed";
        form.paymentUrl = "https://custom.test";
        ScriptedUserInterface ui;
        form.pick(c.method, c.settings, ui);
        EXPECT_EQ(form.accountId, c.account) << c.method;
        EXPECT_EQ(form.authorisationType, c.authorisation) << c.method;
        EXPECT_EQ(form.enabled, c.enabled) << c.method;
        EXPECT_EQ(form.paymentUrl, PaymentMethods::methods[c.method].address);
        EXPECT_TRUE(ui.said.empty());
    }
}

TEST(PaymentMethodsTest, CreditCardWarnsEveryTimeAndOkRemovesTheAccount)
{
    ShopSettings settings = stored({{"payurl", "https://old.test"}, {"PPID", "p"}, {"AUTH", "a"}});
    PaymentMethods form;
    form.fill(settings);
    ScriptedUserInterface ui;
    form.pick(PaymentMethods::CreditCard, settings, ui);
    form.pick(PaymentMethods::CreditCard, settings, ui);
    EXPECT_EQ(ui.texts(), std::vector<std::string>(2, std::string(PaymentMethods::creditCardWarning)));
    form.invoice = true;
    ASSERT_TRUE(form.accept(settings, ui));
    const std::vector<std::string> added(settings.lines().begin() + 8, settings.lines().end());
    EXPECT_EQ(added, (std::vector<std::string>{"paymethod=Credit Card", "phoneback=no", "snailorder=no",
                                               "invoice=yes"}));
    EXPECT_FALSE(settings.contains("AUTH"));
    EXPECT_FALSE(settings.contains("PPID"));
}

TEST(PaymentMethodsTest, OkKeepsACustomAddressAndRefusesLineBreaks)
{
    ShopSettings settings = stored({{"paymethod", "NetBanx"}, {"payurl", "https://mine.test"}});
    PaymentMethods form;
    form.fill(settings);
    ScriptedUserInterface ui;
    ASSERT_TRUE(form.accept(settings, ui));
    EXPECT_EQ(settings.value("payurl"), "https://mine.test");
    EXPECT_EQ(settings.value("paymethod"), "NetBanx");

    form.accountId = "a\nb";
    const ShopSettings before = settings;
    EXPECT_FALSE(form.accept(settings, ui));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"An account ID cannot contain a line break."});
    EXPECT_EQ(settings, before);
}

} // namespace
} // namespace qs
