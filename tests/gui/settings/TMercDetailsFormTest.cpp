#include "gui/settings/TMercDetailsForm.h"

#include "DemoShop.h"
#include "GuiTestSupport.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace qs::gui {
namespace {

class TMercDetailsFormTest : public ::testing::Test, protected qs::test::DemoShop {
protected:
    TMercDetailsFormTest()
    {
        state.ShopFields.setValue("merc_address", "1 High St<br>Town");
        state.ShopFields.setValue("homepage", "www.acme.test");
    }

    bool show(const std::function<void()>& act)
    {
        test::whenModalShows(form, act);
        return form.execute();
    }

    NameValueList workingCopy() const { return NameValueList::fromFile(state.ShopCGIDir() + "/qstl2.cfg"); }

    void fillTheRest()
    {
        form.EmailEdit->setText("sales@acme.test");
        form.TechSupportEmail->setText("tech@acme.test");
        form.ChequeNameEdit->setText("Acme");
    }

    TMercDetailsForm form{state, ui, [] { return MerchantDetails::PaymentAccount{"type", "42"}; }};
};

TEST_F(TMercDetailsFormTest, LabelsEachControlAsTheSystemDoes)
{
    EXPECT_EQ(form.windowTitle(), "Merchant Details");
    const auto* layout = form.findChild<QFormLayout*>();
    ASSERT_NE(layout, nullptr);
    const std::pair<const char*, QWidget*> rows[] = {
        {"Merchant Name:", form.MercNameEdit}, {"Address:", form.AddressMemo},
        {"Sales e-mail:", form.EmailEdit},     {"Tech support e-mail:", form.TechSupportEmail},
        {"Home Page:", form.HomeURLEdit},      {"Cheques payable to:", form.ChequeNameEdit}};
    for (const auto& [text, control] : rows) {
        const auto* label = qobject_cast<QLabel*>(layout->labelForField(control));
        ASSERT_NE(label, nullptr) << text;
        EXPECT_EQ(test::shownText(label->text()), text);
    }
    QSignalSpy help(&form, &TMercDetailsForm::helpRequested);
    form.HelpBtn->click();
    EXPECT_EQ(help.at(0).at(0).toInt(), 3);
}

TEST_F(TMercDetailsFormTest, AnEmptyFieldKeepsTheDialogOpen)
{
    EXPECT_TRUE(show([&] {
        EXPECT_EQ(form.AddressMemo->toPlainText(), "1 High St\nTown");
        EXPECT_EQ(form.MercNameEdit->text(), "Shopping Online");
        form.OKBtn->click();
        EXPECT_TRUE(form.isVisible());
        EXPECT_FALSE(state.ShopFields.contains("AUTHID"));
        fillTheRest();
        form.AddressMemo->setPlainText("1 High St\nTown\nShire");
        form.OKBtn->click();
    }));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Cannot have empty fields"});
    const NameValueList written = workingCopy();
    EXPECT_EQ(written.value("merc_address"), "1 High St<br>Town<br>Shire");
    EXPECT_EQ(written.value("tech_email"), "tech@acme.test");
    EXPECT_EQ(written.value("AUTHID"), "type");
    EXPECT_EQ(written.value("PPID"), "42");
}

TEST_F(TMercDetailsFormTest, WithoutPaymentFieldsOkKeepsTheStoredAccount)
{
    TMercDetailsForm plain(state, ui);
    state.ShopFields.setValue("AUTH", "stored type");
    state.ShopFields.setValue("PPID", "acct-7");
    test::whenModalShows(plain, [&] {
        plain.EmailEdit->setText("sales@acme.test");
        plain.TechSupportEmail->setText("tech@acme.test");
        plain.ChequeNameEdit->setText("Acme");
        plain.OKBtn->click();
    });
    EXPECT_TRUE(plain.execute());
    const NameValueList written = workingCopy();
    EXPECT_EQ(written.value("AUTHID"), "stored type");
    EXPECT_EQ(written.value("PPID"), "acct-7");
}

TEST_F(TMercDetailsFormTest, CancelDiscardsTheTypingButStillWritesTheList)
{
    state.ShopFields.setValue("paymethod", "WorldPay");
    EXPECT_FALSE(show([&] {
        fillTheRest();
        form.MercNameEdit->setText("Not kept");
        form.CancelBtn->click();
    }));
    const NameValueList written = workingCopy();
    EXPECT_EQ(written.value("company"), "Shopping Online");
    EXPECT_EQ(written.value("paymethod"), "WorldPay");
    EXPECT_EQ(written.value("CGIPATH"), state.ShopCGIDir());
}

TEST_F(TMercDetailsFormTest, AFailedWriteIsTold)
{
    state.ShopName = "Gone";
    EXPECT_FALSE(show([&] { form.reject(); }));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Cannot create file " + state.ShopCGIDir() + "/qstl2.cfg" +
                                                   ": No such file or directory"});
}

} // namespace
} // namespace qs::gui
