// The small option dialogs: customer details, administrator security and
// terms and conditions.
#include "gui/settings/TAdminPassForm.h"
#include "gui/settings/TCustomDetailsForm.h"
#include "gui/settings/TTermConditionForm.h"

#include "ShopOptionsTest.h"
#include "core/settings/AdminPassword.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <filesystem>

namespace qs::gui {
namespace {

namespace fs = std::filesystem;

using SmallOptionFormsTest = test::ShopOptionsTest;

TEST_F(SmallOptionFormsTest, CustomerDetailsEnablesByTheTicks)
{
    TCustomDetailsForm form(state, ui);
    EXPECT_EQ(form.windowTitle(), "Customer Details");
    EXPECT_FALSE(form.Edit1->isEnabled());
    EXPECT_EQ(form.Edit1->text(), "6");
    state.ShopFields.setValue("save_user_details", "ON");
    state.ShopFields.setValue("details_expiry_months", "4");
    EXPECT_TRUE(show(form, [&] {
        EXPECT_TRUE(form.Edit1->isEnabled());
        EXPECT_EQ(form.Edit1->text(), "4");
        form.CheckBox1->setChecked(false);
        EXPECT_FALSE(form.CheckBox2->isEnabled());
        EXPECT_FALSE(form.Edit1->isEnabled());
        form.Edit1->setText("5");
        form.OKBtn->click();
    }));
    EXPECT_EQ(state.ShopFields.value("save_user_details"), "OFF");
    EXPECT_EQ(state.ShopFields.value("details_expiry_months"), "5") << "stored even while disabled";
    EXPECT_TRUE(state.CatalogueModified());

    state.SettingsModified = false;
    EXPECT_FALSE(show(form, [&] {
        form.CheckBox1->setChecked(true);
        form.CancelBtn->click();
    }));
    EXPECT_EQ(state.ShopFields.value("save_user_details"), "OFF");
    EXPECT_FALSE(state.CatalogueModified());
}

TEST_F(SmallOptionFormsTest, AdminSecurityShowsEachShopsOwnPassword)
{
    TAdminPassForm form(state, ui);
    EXPECT_EQ(form.windowTitle(), "Remote Shop Management Security");
    QSignalSpy help(&form, &TAdminPassForm::helpRequested);
    form.HelpBtn->click();
    EXPECT_EQ(help.at(0).at(0).toInt(), 32);

    folder.write(inCgi("admin.pass"), "boss=se=cret\r\n");
    EXPECT_TRUE(show(form, [&] {
        // Wide enough that no window manager cuts the title short.
        QFont bold = form.font();
        bold.setBold(true);
        EXPECT_GT(form.width(), QFontMetrics(bold).horizontalAdvance(form.windowTitle()) + 100);
        EXPECT_EQ(form.Edit1->text(), "boss");
        EXPECT_EQ(form.Edit2->text(), "se=cret");
        form.Edit2->setText("");
        form.OKBtn->click();
        EXPECT_TRUE(form.isVisible()) << "an empty password is refused";
        form.Edit2->setText("new=one");
        form.OKBtn->click();
    }));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{std::string(AdminPassword::emptyMessage)});
    EXPECT_EQ(folder.read(inCgi("admin.pass")), "boss=new=one\r\n");
    EXPECT_EQ(fs::status(folder.file(inCgi("admin.pass"))).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(state.CatalogueModified());

    // Another shop, without a password file yet: empty fields, no complaint.
    state.ShopName = "Other";
    fs::create_directories(state.ShopCGIDir());
    ui.said.clear();
    EXPECT_FALSE(show(form, [&] {
        EXPECT_EQ(form.Edit1->text(), "");
        EXPECT_EQ(form.Edit2->text(), "");
        form.CancelBtn->click();
    }));
    EXPECT_TRUE(ui.said.empty());
}

TEST_F(SmallOptionFormsTest, TermsAreEachShopsOwn)
{
    TTermConditionForm form(state, ui);
    EXPECT_EQ(form.windowTitle(), "Terms and Conditions");
    writeData("termcondition.txt", "Line one\r\n\r\nLine three\r\n");
    EXPECT_TRUE(show(form, [&] {
        EXPECT_EQ(form.TermsMemo->toPlainText(), "Line one\n\nLine three");
        form.TermsMemo->setPlainText("Returns in 14 days\nNo refunds on sale items");
        form.OKBtn->click();
    }));
    EXPECT_EQ(data("termcondition.txt"), "Returns in 14 days\r\nNo refunds on sale items\r\n");

    state.ShopName = "Other";
    EXPECT_FALSE(show(form, [&] {
        EXPECT_EQ(form.TermsMemo->toPlainText(), "") << "never the terms of the shop before";
        form.OKBtn->click();
        EXPECT_TRUE(form.isVisible()) << "a file that cannot be written keeps the text";
        form.CancelBtn->click();
    }));
    ASSERT_EQ(ui.said.size(), 1u);
    EXPECT_EQ(ui.said[0].text.rfind("Cannot create file " + state.ShopDataDir() + "/termcondition.txt", 0),
              0u);
}

} // namespace
} // namespace qs::gui
