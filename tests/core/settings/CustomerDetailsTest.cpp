#include "core/settings/CustomerDetails.h"
#include "ScriptedUserInterface.h"
#include "core/settings/ShopSettings.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

TEST(CustomerDetailsTest, ShowsAndStoresBothKeys)
{
    struct Case {
        const char* save;
        const char* months;
        bool remember, expire;
        const char* shownMonths;
        const char* storedSave;
    };
    // The words are read in any capitals, as the shop's scripts read them.
    const Case cases[] = {{"ON", "6", true, true, "6", "ON"},
                          {" on ", "NEVER", true, false, "", "ON"},
                          {"", "", false, true, "", "OFF"},
                          {"Off", "6", false, true, "6", "OFF"},
                          {"ON", "never", true, false, "", "ON"}};
    for (const Case& c : cases) {
        ShopSettings settings;
        settings.setValue("save_user_details", c.save);
        settings.setValue("details_expiry_months", c.months);
        CustomerDetails form;
        form.fill(settings);
        EXPECT_EQ(form.rememberCustomers, c.remember) << c.save;
        EXPECT_EQ(form.deleteUnusedRecords, c.expire) << c.months;
        EXPECT_EQ(form.expiryMonths, c.shownMonths);
        EXPECT_EQ(form.deleteUnusedRecordsEnabled(), c.remember);
        EXPECT_EQ(form.expiryMonthsEnabled(), c.remember && c.expire);
        test::ScriptedUserInterface ui;
        ASSERT_TRUE(form.accept(settings, ui));
        EXPECT_EQ(settings.value("save_user_details"), c.storedSave);
        // An empty month field leaves the key absent.
        EXPECT_EQ(settings.value("details_expiry_months"), c.expire ? c.shownMonths : "NEVER");
    }
}

TEST(CustomerDetailsTest, MonthsAreStoredEvenWhileDisabledButNeverWithALineBreak)
{
    CustomerDetails form;
    form.rememberCustomers = false;
    form.deleteUnusedRecords = true;
    form.expiryMonths = "3";
    ShopSettings settings;
    test::ScriptedUserInterface ui;
    ASSERT_TRUE(form.accept(settings, ui));
    EXPECT_EQ(settings.value("details_expiry_months"), "3");
    form.expiryMonths = "3\r\n";
    EXPECT_FALSE(form.accept(settings, ui));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"The number of months cannot contain a line break."});
}

} // namespace
} // namespace qs
