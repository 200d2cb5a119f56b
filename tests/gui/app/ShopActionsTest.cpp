#include "gui/app/ShopActions.h"

#include "GuiTestSupport.h"
#include "ScriptedUserInterface.h"
#include "gui/app/TCMForm.h"
#include "gui/settings/TLocationForm.h"
#include "gui/app/TOpenShopForm.h"
#include "core/app/AppState.h"
#include "core/app/LocationRequired.h"
#include "core/app/Startup.h"
#include "TempFolder.h"
#include "core/text/NameValueList.h"
#include "core/text/ReadFile.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace qs::gui {
namespace {

namespace fs = std::filesystem;

// The desktop program on a fresh copy of the installation, its shop commands
// driven through the menus.
class ShopActionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy(QUAYSTALL_SHARE_PROGRAM, folder.path(), fs::copy_options::recursive);
        state = std::make_unique<AppState>(folder.path().string());
        form = std::make_unique<TCMForm>(*state, &ui);
        actions = std::make_unique<ShopActions>(*form, *state, ui);
        ASSERT_TRUE(StartUp(*state, ui));
        form->show();
    }

    void TearDown() override
    {
        actions.reset();
        form.reset();
    }

    // Runs a menu item that shows the "Open a Shop..." dialog, and picks a shop there.
    void pickInDialog(QAction* item, const QString& shop)
    {
        TOpenShopForm& dialog = actions->openShopForm();
        test::whenModalShows([&](QWidget*) {
            const auto found = dialog.ShopsBox->findItems(shop, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1);
            dialog.ShopsBox->setCurrentItem(found.first());
            dialog.OKBtn->click();
        });
        item->trigger();
    }

    std::string shopFile(const std::string& name) const
    {
        return folder.file("Apache/cgi-bin/qstldb/Demo-1-cgi/" + name);
    }

    qs::test::TempFolder folder;
    qs::test::ScriptedUserInterface ui;
    std::unique_ptr<AppState> state;
    std::unique_ptr<TCMForm> form;
    std::unique_ptr<ShopActions> actions;
};

TEST_F(ShopActionsTest, ANewShopIsSavedClosedReopenedAndDeleted)
{
    const TCMForm::Actions& menu = form->actions();
    EXPECT_FALSE(form->isShopOpen());

    // File, New Shop.
    ui.inputs = {std::string("Demo-1")};
    menu.newShop->trigger();
    ASSERT_TRUE(form->isShopOpen());
    EXPECT_EQ(state->ShopName, "Demo-1");
    EXPECT_TRUE(fs::is_regular_file(shopFile("Catalogue.pl")));
    EXPECT_TRUE(fs::is_regular_file(shopFile("data/fieldinfo.data")));

    // A category with a product, saved through the menu.
    form->addCategory();
    form->newProduct();
    ui.answers = {Answer::Yes};
    menu.save->trigger();
    EXPECT_FALSE(state->CatalogueModified());
    EXPECT_EQ(readFileBytes(shopFile("data/shop.data")).substr(0, 30), "0::New Category|New Product 0:");

    // Closed without a question, then opened again from the dialog.
    menu.closeShop->trigger();
    EXPECT_FALSE(form->isShopOpen());
    EXPECT_EQ(state->catalogue.productCount(), 0u);
    pickInDialog(menu.openShop, "Demo-1");
    ASSERT_TRUE(form->isShopOpen());
    EXPECT_EQ(state->catalogue.productCount(), 1u);
    ASSERT_NE(state->catalogue.findByPath("New Category"), nullptr);

    // Deleted while no shop is open.
    menu.closeShop->trigger();
    ui.answers = {Answer::Yes};
    pickInDialog(menu.deleteShop, "Demo-1");
    EXPECT_EQ(ui.texts().back(), "Shop successfully deleted.");
    EXPECT_FALSE(fs::exists(shopFile("")));
    EXPECT_FALSE(fs::exists(folder.file("shops/Demo-1")));
}

TEST_F(ShopActionsTest, WithoutALocalCGIFolderOpeningOffersLocationDetails)
{
    state->LocCGI.clear();
    // The window's first activation runs Open Shop: refused, and answered No.
    ui.answers = {Answer::No, Answer::No, Answer::Yes};
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::qWait(20);
    ASSERT_EQ(ui.said.size(), 1u);
    form->actions().openShop->trigger(); // No: nothing more
    bool offered = false;
    test::whenModalShows([&](QWidget* dialog) {
        offered = dialog == &actions->locationForm();
        actions->locationForm().reject();
    });
    form->actions().newShop->trigger(); // Yes: Location Details
    EXPECT_TRUE(offered);
    const std::string offer = std::string(LocationNotSet::message) + "\r\n\r\nOpen Location Details now?";
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{offer, offer, offer}));
    EXPECT_FALSE(form->isShopOpen());
    EXPECT_FALSE(actions->openShopForm().isVisible());
}

TEST_F(ShopActionsTest, ClosingAModifiedShopAsksAndCancelKeepsIt)
{
    ui.inputs = {std::string("Demo-1")};
    form->actions().newShop->trigger();
    ASSERT_TRUE(form->isShopOpen());
    form->addCategory();

    // Cancel, or Yes and then No to the save's own confirmation, on File
    // Close and on leaving the program: back to the shop with nothing lost.
    const std::vector<Answer> keeps[] = {{Answer::Cancel}, {Answer::Yes, Answer::No}};
    for (const auto& answers : keeps) {
        for (const bool leaving : {false, true}) {
            SCOPED_TRACE(answers.size() * 2 + leaving);
            ui.said.clear();
            ui.answers.assign(answers.begin(), answers.end());
            if (leaving)
                EXPECT_FALSE(form->close());
            else
                form->actions().closeShop->trigger();
            EXPECT_TRUE(form->isShopOpen());
            EXPECT_TRUE(form->isVisible());
            EXPECT_EQ(state->catalogue.categoryCount(), 1u);
            EXPECT_TRUE(state->CatalogueModified());
            EXPECT_EQ(ui.texts().front(), "Do you wish to save the catalogue?");
            EXPECT_EQ(ui.said.size(), answers.size());
            EXPECT_FALSE(fs::exists(shopFile("data/header_data.log")));
        }
    }

    // Yes to the question, and Yes to the save's own confirmation.
    ui.answers = {Answer::Yes, Answer::Yes};
    form->actions().closeShop->trigger();
    EXPECT_FALSE(form->isShopOpen());
    EXPECT_TRUE(fs::exists(shopFile("data/header_data.log")));
}

TEST_F(ShopActionsTest, TheTitleNamesTheShopAndMarksUnsavedChanges)
{
    EXPECT_EQ(form->windowTitle(), "Quaystall DB");
    ui.inputs = {std::string("Harbour Crafts"), std::string("Harbour-Crafts")};
    form->actions().newShop->trigger();
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Harbour-Crafts \u2014 Quaystall DB"));
    form->addCategory();
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Harbour-Crafts* \u2014 Quaystall DB"));
    ui.answers = {Answer::Yes};
    form->actions().save->trigger();
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Harbour-Crafts \u2014 Quaystall DB"));
    form->actions().undo->trigger();
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Harbour-Crafts* \u2014 Quaystall DB")) << "undone past the save";
    ui.answers = {Answer::No};
    form->actions().closeShop->trigger();
    EXPECT_EQ(form->windowTitle(), "Quaystall DB");
}

TEST_F(ShopActionsTest, TheFirstActivationOffersTheShopsAndLeavingWritesTheProgramWideLocation)
{
    ui.inputs = {std::string("Demo-1")};
    form->actions().newShop->trigger();
    form->actions().closeShop->trigger();
    const std::string programLocation = readFileBytes(folder.file("location.cfg"));

    TOpenShopForm& dialog = actions->openShopForm();
    bool offered = false;
    test::whenModalShows([&](QWidget* modal) {
        offered = modal == &dialog && dialog.ShopsBox->count() == 1;
        dialog.reject();
    });
    emit form->firstActivated();
    EXPECT_TRUE(offered);
    EXPECT_FALSE(form->isShopOpen());

    // With a shop open, leaving keeps the program-wide folders, not the shop's.
    pickInDialog(form->actions().openShop, "Demo-1");
    ASSERT_TRUE(form->isShopOpen());
    EXPECT_NE(state->LocImg, NameValueList::fromText(programLocation).value("LocImg"));
    EXPECT_TRUE(form->close());
    EXPECT_EQ(readFileBytes(folder.file("location.cfg")), programLocation);
}

} // namespace
} // namespace qs::gui
