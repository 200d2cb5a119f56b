#include "core/settings/MerchantDetails.h"
#include "ScriptedUserInterface.h"
#include "core/app/AppState.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qs {
namespace {

using test::ScriptedUserInterface;

MerchantDetails complete()
{
    MerchantDetails form;
    form.MercNameEdit = "  Acme";
    form.AddressMemo = "1 High St\r\nTown\r\nPost Code";
    form.EmailEdit = "sales@acme.test";
    form.TechSupportEmail = "tech@acme.test";
    form.HomeURLEdit = "www.acme.test";
    form.ChequeNameEdit = "Acme Ltd";
    return form;
}

TEST(MerchantDetailsTest, ShowsTheStoredAddressOnSeveralLines)
{
    ShopSettings settings;
    settings.setValue("merc_address", "1 High St<br>Town<BR>Shire<br>");
    settings.setValue("homepage", "www.acme.test");
    MerchantDetails form;
    form.fill(settings);
    EXPECT_EQ(form.AddressMemo, "1 High St\r\nTown<BR>Shire\r\n");
    EXPECT_EQ(form.MercNameEdit, "Shopping Online");
    EXPECT_EQ(form.HomeURLEdit, "www.acme.test");
    EXPECT_EQ(form.TechSupportEmail, "");
}

TEST(MerchantDetailsTest, RefusesAnyFieldThatHoldsOnlyBlanks)
{
    std::string MerchantDetails::*const fields[] = {
        &MerchantDetails::MercNameEdit,     &MerchantDetails::HomeURLEdit, &MerchantDetails::EmailEdit,
        &MerchantDetails::TechSupportEmail, &MerchantDetails::AddressMemo, &MerchantDetails::ChequeNameEdit};
    for (const char* blank : {"", "   ", " \t\r\n\x01 "}) {
        for (auto field : fields) {
            MerchantDetails form = complete();
            form.*field = blank;
            ShopSettings settings;
            ScriptedUserInterface ui;
            EXPECT_FALSE(form.accept(settings, ui, {}));
            EXPECT_EQ(ui.texts(), std::vector<std::string>{"Cannot have empty fields"});
            EXPECT_EQ(ui.said.at(0).kind, MessageKind::Warning);
            EXPECT_EQ(settings, ShopSettings());
        }
    }
}

TEST(MerchantDetailsTest, StoresTheTextsAsTypedInTheirOrder)
{
    ShopSettings settings;
    ScriptedUserInterface ui;
    ASSERT_TRUE(complete().accept(settings, ui, {"auth-type", "account-7"}));
    EXPECT_TRUE(ui.said.empty());
    const std::vector<std::string> appended(settings.lines().begin() + 10, settings.lines().end());
    EXPECT_EQ(appended, (std::vector<std::string>{
                            "homepage=www.acme.test", "chequename=Acme Ltd", "tech_email=tech@acme.test",
                            "merc_address=1 High St<br>Town<br>Post Code", "AUTHID=auth-type"}));
    EXPECT_EQ(settings.lines().front(), "company=  Acme");
    EXPECT_EQ(settings.value("sales_email"), "sales@acme.test");
    EXPECT_EQ(settings.value("PPID"), "account-7");
}

TEST(MerchantDetailsTest, EveryCloseWritesTheWorkingCopyInItsLocalForm)
{
    test::TempFolder folder;
    AppState state(folder.path().string());
    state.LocCGI = folder.file("cgi");
    state.ShopName = "Demo";
    std::filesystem::create_directories(state.ShopCGIDir());
    state.ShopFields.setValue("paymethod", "None");
    MerchantDetails::save(state);
    const NameValueList written = NameValueList::fromFile(state.ShopCGIDir() + "/qstl2.cfg");
    EXPECT_EQ(written.value("paymethod"), "None");
    EXPECT_EQ(written.value("CGIPATH"), state.ShopCGIDir());
}

} // namespace
} // namespace qs
