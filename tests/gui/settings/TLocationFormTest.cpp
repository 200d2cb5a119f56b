#include "gui/settings/TLocationForm.h"

#include "GuiTestSupport.h"
#include "ScriptedUserInterface.h"
#include "core/app/AppState.h"
#include "TempFolder.h"
#include "core/text/NameValueList.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace qs::gui {
namespace {

using test::shownText;

class TLocationFormTest : public ::testing::Test {
protected:
    TLocationFormTest() : state(folder.path().string()), form(state, ui)
    {
        state.LocCGI = folder.file("cgi");
        state.LocImg = folder.file("img");
    }

    // As the user types: every key reaches the details.
    static void retype(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    bool show(const std::function<void()>& act)
    {
        test::whenModalShows(form, act);
        return form.execute();
    }

    qs::test::TempFolder folder;
    qs::AppState state;
    qs::test::ScriptedUserInterface ui;
    TLocationForm form;
};

TEST_F(TLocationFormTest, ShowsTheSystemsTexts)
{
    EXPECT_EQ(form.windowTitle(), "Location Details");
    ASSERT_EQ(form.PageControl->count(), 2);
    EXPECT_EQ(shownText(form.PageControl->tabText(0)), "Local");
    EXPECT_EQ(shownText(form.PageControl->tabText(1)), "Remote");
    QStringList labels;
    for (const QLabel* label : form.findChildren<QLabel*>())
        labels << shownText(label->text());
    for (const char* text :
         {"Local CGI Directory:- ", "Local image directory:-", "Local image URL:-", "Local Perl path:-",
          "Remote CGI URL:-", "Remote image URL:-", "(e.g. /images)", "Remote path to Perl5:-",
          "(e.g. /usr/bin/perl)", "System mail command:- ", "Web Server:-", "SMTP Server:-"})
        EXPECT_TRUE(labels.contains(text)) << text;
    EXPECT_EQ(form.LocalCGIEdit->toolTip(), "The local directory containing the CGI script files.");
    EXPECT_EQ(form.LocalImgEdit->toolTip(),
              "The local directory where the image files for the shop are stored.");
    EXPECT_EQ(form.findChild<QGroupBox*>()->title(), " Mail Method:- ");
    EXPECT_EQ(shownText(form.SystemMailItem->text()), "Use system mail command");
    EXPECT_EQ(shownText(form.SmtpServerItem->text()), "Connect directly to SMTP server");
    EXPECT_EQ(shownText(form.cbStartup->text()), "Do not show at start up");

    QSignalSpy help(&form, &TLocationForm::helpRequested);
    form.HelpBtn->click();
    ASSERT_EQ(help.count(), 1);
    EXPECT_EQ(help.at(0).at(0).toInt(), 1);
}

TEST_F(TLocationFormTest, AMailMethodTakesEffectAsSoonAsItIsChosen)
{
    bool checkedOnShow = false;
    const bool confirmed = show([&] {
        checkedOnShow = form.SystemMailItem->isChecked() && !form.SysMailPanel->isHidden() &&
                        form.SMTPPanel->isHidden() && form.SysMailEdit->text() == "/usr/bin/sendmail";
        form.SmtpServerItem->click();
        EXPECT_EQ(state.mailprogram, "");
        EXPECT_TRUE(form.SysMailPanel->isHidden());
        EXPECT_FALSE(form.SMTPPanel->isHidden());
        retype(form.WebServerEdit, "www.shop.test");
        retype(form.SMTPServerEdit, "mail.shop.test");
        form.CancelBtn->click();
    });
    EXPECT_FALSE(confirmed);
    EXPECT_TRUE(checkedOnShow);
    // Cancel writes nothing, but the switch has already reached the values.
    EXPECT_EQ(state.mailprogram, "");
    EXPECT_EQ(state.web_server, "");
    EXPECT_FALSE(std::filesystem::exists(folder.file("location.cfg")));

    // The next showing starts from the values again, which now say SMTP.
    ASSERT_TRUE(show([&] {
        EXPECT_TRUE(form.SmtpServerItem->isChecked());
        EXPECT_EQ(form.WebServerEdit->text(), "");
        retype(form.WebServerEdit, "www.shop.test");
        retype(form.SMTPServerEdit, "mail.shop.test");
        form.OKBtn->click();
    }));
    EXPECT_EQ(state.web_server, "www.shop.test");
    EXPECT_EQ(state.smtp_server, "mail.shop.test");
}

TEST_F(TLocationFormTest, OkTakesTheTextsAndWritesTheLocationFileInForce)
{
    ASSERT_TRUE(show([&] {
        EXPECT_EQ(form.LocalCGIEdit->text().toStdString(), state.LocCGI);
        retype(form.LocalImgURLEdit, "/pictures");
        retype(form.RemotePerlPathEdit, "/opt/perl");
        retype(form.LocalCGIEdit, "");
        form.cbStartup->setChecked(true);
        form.OKBtn->click();
    }));
    EXPECT_EQ(state.LocImgURL, "/pictures");
    EXPECT_EQ(state.RemPerlPath, "/opt/perl");
    EXPECT_EQ(state.LocCGI, "");
    const NameValueList written = NameValueList::fromFile(folder.file("location.cfg"));
    EXPECT_EQ(written.value("LocImgURL"), "/pictures");
    EXPECT_FALSE(written.contains("LocCGI"));
    EXPECT_EQ(written.value("Startup"), "1");

    // While a shop is open, its own location file is the one written.
    state.LocCGI = folder.file("cgi");
    state.ShopName = "Demo";
    state.locationWithoutShop = NameValueList();
    std::filesystem::create_directories(state.ShopCGIDir());
    ASSERT_TRUE(show([&] { form.OKBtn->click(); }));
    EXPECT_EQ(NameValueList::fromFile(state.ShopCGIDir() + "/location.cfg").value("LocCGI"), state.LocCGI);
}

TEST_F(TLocationFormTest, AFailedWriteIsTold)
{
    state.LocCGI = folder.file("cgi");
    state.ShopName = "Gone";
    state.locationWithoutShop = NameValueList();
    ASSERT_TRUE(show([&] { form.OKBtn->click(); }));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Cannot create file " + state.ShopCGIDir() +
                                                   "/location.cfg" + ": No such file or directory"});
}

} // namespace
} // namespace qs::gui
