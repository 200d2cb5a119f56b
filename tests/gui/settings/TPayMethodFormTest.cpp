#include "gui/settings/TPayMethodForm.h"

#include "gui/settings/TMercDetailsForm.h"
#include "ShopOptionsTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

namespace qs::gui {
namespace {

class TPayMethodFormTest : public test::ShopOptionsTest {
protected:
    // What the merchant does: a pick in the list, not a programmatic change.
    void pick(int method) { emit form.PayMethodBox->activated(method); }

    TPayMethodForm form{state, ui};
};

TEST_F(TPayMethodFormTest, OpensWithWhatTheShopStored)
{
    EXPECT_EQ(form.windowTitle(), "Payment Methods");
    QStringList entries;
    for (int i = 0; i < form.PayMethodBox->count(); ++i)
        entries << form.PayMethodBox->itemText(i);
    EXPECT_EQ(entries, (QStringList{"Online Payment via NetBanx", "Online Payment via SecureTrading",
                                    "Online Payment via WorldPay", "Credit Card via e-Mail",
                                    "Online Payment via QstlPAY", "No Online Payment Method"}));
    QSignalSpy help(&form, &TPayMethodForm::helpRequested);
    form.HelpBtn->click();
    EXPECT_EQ(help.at(0).at(0).toInt(), 19);

    state.ShopFields.setValue("paymethod", "Secure Trading");
    state.ShopFields.setValue("payurl", "https://mine.test/pay");
    state.ShopFields.setValue("snailorder", "yes");
    state.ShopFields.setValue("invoice", "yes");
    state.ShopFields.setValue("PPID", "acct-9");
    EXPECT_FALSE(show(form, [&] {
        EXPECT_EQ(form.PayMethodBox->currentIndex(), 1);
        EXPECT_EQ(form.PaymentURLEdit->text(), "https://mine.test/pay");
        EXPECT_FALSE(form.PhoneBackBox->isChecked());
        EXPECT_TRUE(form.AllowSnailBox->isChecked());
        EXPECT_TRUE(form.InvoiceBox->isChecked());
        EXPECT_EQ(form.edAccountID->text(), "acct-9");
        EXPECT_FALSE(form.edAuthType->isEnabled());
        EXPECT_FALSE(form.lblAuthType->isEnabled());
        EXPECT_TRUE(form.PaymentURLEdit->isEnabled());
        // What Cancel leaves behind is not shown next time.
        form.PhoneBackBox->setChecked(true);
        form.edAccountID->setText("typed, then cancelled");
        form.CancelBtn->click();
    }));
    EXPECT_FALSE(state.CatalogueModified());
    EXPECT_TRUE(show(form, [&] {
        EXPECT_FALSE(form.PhoneBackBox->isChecked());
        EXPECT_EQ(form.edAccountID->text(), "acct-9");
        form.OKBtn->click();
    }));
    EXPECT_EQ(state.ShopFields.value("phoneback"), "no");
    EXPECT_EQ(state.ShopFields.value("snailorder"), "yes");
}

TEST_F(TPayMethodFormTest, PickingAMethodFillsItsDefaultsAndOkStoresThem)
{
    EXPECT_TRUE(show(form, [&] {
        pick(2);
        EXPECT_EQ(form.edAccountID->text(), "1");
        EXPECT_EQ(form.edAuthType->text(), "101");
        EXPECT_TRUE(form.edAuthType->isEnabled());
        EXPECT_TRUE(form.PaymentURLEdit->text().startsWith("https://"));
        form.PhoneBackBox->setChecked(true);
        pick(3);
        EXPECT_TRUE(form.PhoneBackBox->isChecked()) << "picking leaves the check boxes alone";
        EXPECT_FALSE(form.edAccountID->isEnabled());
        EXPECT_EQ(form.PaymentURLEdit->text(), "");
        pick(1);
        form.edAccountID->setText("merchant-7");
        form.OKBtn->click();
    }));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{std::string(PaymentMethods::creditCardWarning)});
    EXPECT_EQ(state.ShopFields.value("paymethod"), "Secure Trading");
    EXPECT_EQ(state.ShopFields.value("PPID"), "merchant-7");
    EXPECT_EQ(state.ShopFields.value("phoneback"), "yes");
    EXPECT_EQ(state.ShopFields.value("payurl"), PaymentMethods::methods[1].address);
    EXPECT_FALSE(state.ShopFields.contains("AUTH"));
    EXPECT_TRUE(state.CatalogueModified());
}

TEST_F(TPayMethodFormTest, MerchantDetailsKeepsTheAccountThePaymentDialogShows)
{
    state.ShopFields.setValue("AUTH", "stored-auth");
    state.ShopFields.setValue("PPID", "stored-id");
    TMercDetailsForm merchant(state, ui);
    EXPECT_TRUE(show(merchant, [&] {
        for (QLineEdit* edit :
             {merchant.EmailEdit, merchant.TechSupportEmail, merchant.HomeURLEdit, merchant.ChequeNameEdit})
            edit->setText("x");
        merchant.AddressMemo->setPlainText("1 High St");
        merchant.OKBtn->click();
    }));
    EXPECT_EQ(state.ShopFields.value("AUTHID"), "stored-auth");
    EXPECT_EQ(state.ShopFields.value("PPID"), "stored-id");
    EXPECT_TRUE(show(form, [&] {
        EXPECT_EQ(form.edAuthType->text(), "stored-auth");
        form.OKBtn->click();
    }));
    EXPECT_EQ(state.ShopFields.value("AUTH"), "stored-auth");
    EXPECT_EQ(state.ShopFields.value("PPID"), "stored-id");
}

} // namespace
} // namespace qs::gui
