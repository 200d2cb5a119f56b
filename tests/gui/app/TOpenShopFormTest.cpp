#include "gui/app/TOpenShopForm.h"

#include "GuiTestSupport.h"
#include "ScriptedUserInterface.h"
#include "core/app/AppState.h"
#include "TempFolder.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace qs::gui {
namespace {

namespace fs = std::filesystem;

class TOpenShopFormTest : public ::testing::Test {
protected:
    TOpenShopFormTest() : state(folder.path().string()), form(state, ui)
    {
        state.LocCGI = folder.file("cgi");
        state.LocImg = folder.file("img");
        fs::create_directories(state.LocCGI);
        fs::create_directories(state.LocImg);
    }

    bool show(const std::function<void()>& act)
    {
        test::whenModalShows(form, act);
        return form.execute();
    }

    QStringList listed() const
    {
        QStringList names;
        for (int row = 0; row < form.ShopsBox->count(); ++row)
            names << form.ShopsBox->item(row)->text();
        names.sort();
        return names;
    }

    qs::test::TempFolder folder;
    qs::AppState state;
    qs::test::ScriptedUserInterface ui;
    TOpenShopForm form;
};

TEST_F(TOpenShopFormTest, TheTwoModes)
{
    EXPECT_EQ(form.windowTitle(), "Open a Shop...");
    EXPECT_EQ(form.PromptLabel->text(), "Please select your shop:-");
    EXPECT_EQ(form.OKBtn->text(), "&OK");
    EXPECT_EQ(form.NewShopBtn->text(), "&New Shop");
    EXPECT_FALSE(form.NewShopBtn->isHidden());
    form.setMode(ShopChooser::Mode::Delete);
    EXPECT_EQ(form.windowTitle(), "Delete a Shop...");
    EXPECT_TRUE(form.NewShopBtn->isHidden());
}

TEST_F(TOpenShopFormTest, OkNeedsAShopAndOpensOnlyAFolder)
{
    EXPECT_FALSE(show([&] {
        EXPECT_FALSE(form.OKBtn->isEnabled());
        form.CancelBtn->click();
    }));

    fs::create_directories(folder.file("shops/Books"));
    folder.write("shops/stray", "");
    EXPECT_FALSE(show([&] {
        EXPECT_EQ(listed(), (QStringList{"Books", "stray"}));
        EXPECT_TRUE(form.OKBtn->isEnabled());
        EXPECT_EQ(form.ShopsBox->currentRow(), 0);
        form.ShopsBox->setCurrentItem(form.ShopsBox->findItems("stray", Qt::MatchExactly)[0]);
        form.OKBtn->click();
        // The dialog stays open after the message.
        EXPECT_TRUE(form.isVisible());
        form.CancelBtn->click();
    }));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Sorry! This shop seems to be missing."});
    EXPECT_EQ(state.ShopName, "");

    EXPECT_TRUE(show([&] {
        QListWidgetItem* books = form.ShopsBox->findItems("Books", Qt::MatchExactly)[0];
        const QRect cell = form.ShopsBox->visualItemRect(books);
        // The view takes a double-click only on the item that the press before it hit.
        QTest::mousePress(form.ShopsBox->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(form.ShopsBox->viewport(), Qt::LeftButton, {}, cell.center());
    }));
    EXPECT_EQ(state.ShopName, "Books");
}

TEST_F(TOpenShopFormTest, NewShopCreatesTheShopAndClosesWithOk)
{
    // A refused name is asked for again, with a name that would work.
    ui.inputs = {std::string("my shop"), std::string("Fresh")};
    EXPECT_TRUE(show([&] { form.NewShopBtn->click(); }));
    EXPECT_EQ(ui.texts().at(1), "Your shop name must consist only of alphanumeric characters. Spaces and "
                                "underscores are not allowed. A name that would work: \"my-shop\".");
    EXPECT_EQ(ui.inputInitials, (std::vector<std::string>{"", "my shop"}));
    EXPECT_EQ(state.ShopName, "Fresh");
    EXPECT_TRUE(fs::is_directory(folder.file("shops/Fresh")));
    EXPECT_TRUE(fs::exists(folder.file("cgi/Fresh-cgi/location.cfg")));
}

TEST_F(TOpenShopFormTest, EnterOpensTheSelectedShopWhereverTheFocusWasLeft)
{
    fs::create_directories(folder.file("shops/Books"));
    ui.inputs = {std::nullopt};
    EXPECT_FALSE(show([&] {
        form.NewShopBtn->setFocus();
        form.NewShopBtn->click(); // cancelled at the name
        form.CancelBtn->click();
    }));
    EXPECT_TRUE(show([&] {
        QWidget* focused = form.focusWidget();
        QTest::keyClick(focused ? focused : &form, Qt::Key_Return);
    }));
    EXPECT_EQ(state.ShopName, "Books");
    EXPECT_TRUE(ui.inputs.empty());
}

TEST_F(TOpenShopFormTest, AShopThatCannotBeCreatedIsToldAndTheDialogStays)
{
    folder.write("cgi/AllCGIFiles.txt", "missing.pl\r\n");
    ui.inputs = {std::string("Broken")};
    EXPECT_FALSE(show([&] {
        form.NewShopBtn->click();
        EXPECT_TRUE(form.isVisible());
        form.CancelBtn->click();
    }));
    EXPECT_EQ(ui.texts().back(),
              "Cannot open file " + folder.file("cgi/missing.pl") + ": No such file or directory");
}

} // namespace
} // namespace qs::gui
