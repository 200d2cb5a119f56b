#include "gui/publish/PublishActions.h"

#include "gui/app/HelpViewer.h"
#include "ScriptedUserInterface.h"
#include "gui/app/ShopActions.h"
#include "gui/app/TCMForm.h"
#include "gui/settings/TMercDetailsForm.h"
#include "core/app/AppState.h"
#include "core/app/Startup.h"
#include "core/catalogue/FieldNames.h"
#include "core/catalogue/TNewCategory.h"
#include "core/catalogue/TNewProduct.h"
#include "gui/catalogue/grids/CatalogueGrids.h"
#include "Loopback.h"
#include "TempFolder.h"
#include "GuiTestSupport.h"
#include "gui/publish/TPreviewSettingsForm.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace qs::gui {
namespace {

namespace fs = std::filesystem;

// The desktop program on a fresh copy of the installation with a new shop
// "Demo" open, its publishing commands driven through the menus.
class PublishActionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy(QUAYSTALL_SHARE_PROGRAM, folder.path(), fs::copy_options::recursive);
        folder.write("settings.cfg", "colour=blue\r\n");
        state = std::make_unique<AppState>(folder.path().string());
        form = std::make_unique<TCMForm>(*state, &ui);
        shop = std::make_unique<ShopActions>(*form, *state, ui);
        publish = std::make_unique<PublishActions>(*form, *state, ui, *shop);
        ASSERT_TRUE(StartUp(*state, ui));
        form->show();
        ui.inputs = {std::string("Demo")};
        form->actions().newShop->trigger();
        ASSERT_TRUE(form->isShopOpen());
        // Postage that needs no weights.
        state->ShopFields.setValue("shipmethod", "percentage");
        state->ShopFields.setValue("shippercent", "5");
        ui.said.clear();
    }

    void TearDown() override
    {
        publish.reset();
        shop.reset();
        form.reset();
    }

    // A program that writes each of its arguments on a line of a file.
    std::string recordingBrowser() const
    {
        const std::string path = folder.write(
            "browser.sh", "#!/bin/sh\nfor a; do printf '%s\\n' \"$a\"; done > " +
                              folder.file("arguments.tmp") + " && mv " + folder.file("arguments.tmp") + " " +
                              folder.file("arguments") + "\n");
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    // What the browser was given, once it has run; empty after ten seconds without.
    std::string browserArguments() const
    {
        QElapsedTimer waited;
        waited.start();
        while (!fs::exists(folder.file("arguments")) && waited.elapsed() < 10000)
            QTest::qWait(20);
        return fs::exists(folder.file("arguments")) ? folder.read("arguments") : std::string();
    }

    qs::test::TempFolder folder;
    qs::test::ScriptedUserInterface ui;
    std::unique_ptr<AppState> state;
    std::unique_ptr<TCMForm> form;
    std::unique_ptr<ShopActions> shop;
    std::unique_ptr<PublishActions> publish;
};

TEST_F(PublishActionsTest, ExportOpensMerchantDetailsForTheMissingAddressesThenBuildsTheShop)
{
    TMercDetailsForm& details = shop->mercDetailsForm();
    test::whenModalShows([&](QWidget* modal) {
        ASSERT_EQ(modal, &details);
        details.AddressMemo->setPlainText("1 Quay");
        details.EmailEdit->setText("sales@demo.test");
        details.TechSupportEmail->setText("tech@demo.test");
        details.HomeURLEdit->setText("demo.test");
        details.ChequeNameEdit->setText("Demo");
        details.OKBtn->click();
    });
    ui.answers = {Answer::Yes};
    form->ExportBtn->click();

    EXPECT_EQ(ui.texts().front(),
              "Your shop will not work without the email fields set up. Please fill them in.");
    EXPECT_EQ(ui.texts().back().substr(0, 12), "IMPORTANT!!!");
    EXPECT_TRUE(fs::is_regular_file(folder.file("upload/Demo/Demo-cgi/Catalogue.pl")));
    EXPECT_TRUE(fs::is_regular_file(folder.file("upload/Demo/Demo-images/logo.gif")));
}

TEST_F(PublishActionsTest, ExportAsksWhetherToBuildAShopThatCannotTakeOrders)
{
    state->ShopFields.setValue("sales_email", "sales@demo.test");
    state->ShopFields.setValue("tech_email", "tech@demo.test");
    state->ShopFields.setValue("paymethod", "Credit Card");
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        ui.said.clear();
        ui.answers = {Answer::Yes, answer};
        form->actions().exportData->trigger();
        ASSERT_GE(ui.said.size(), 2u);
        EXPECT_TRUE(ui.said[1].question);
        const std::string asked = ui.said[1].text;
        EXPECT_TRUE(
            asked.starts_with("Your shop cannot take orders properly as it is set:\n\n- Payment is by "))
            << asked;
        EXPECT_EQ(fs::exists(folder.file("upload/Demo")), answer == Answer::Yes);
    }
}

TEST_F(PublishActionsTest, AnExportStoppedOnAnUnreadablePriceOffersToShowTheProduct)
{
    state->ShopFields.setValue("sales_email", "sales@demo.test");
    state->ShopFields.setValue("tech_email", "tech@demo.test");
    form->addCategory();
    qs::TNewCategory& category = *state->catalogue.root().children().front();
    form->newProduct();
    qs::TNewProduct& product = *category.products().front();
    product.trySetField(qs::FieldNames::intern("Price"), "12,50");
    form->selectNode(state->catalogue.root());
    // Proceed, do not export anyway, show the product.
    ui.answers = {Answer::Yes, Answer::No, Answer::Yes};
    form->actions().exportData->trigger();
    ASSERT_EQ(ui.said.size(), 3u);
    EXPECT_NE(ui.said[1].text.find("a price the shop cannot read"), std::string::npos) << ui.said[1].text;
    EXPECT_EQ(ui.said[2].text, "Show " + std::string(product.name()) + " in " + category.path() +
                                   ", the first product whose price or weight the shop cannot read?");
    EXPECT_EQ(form->selectedNode(), &category);
    EXPECT_EQ(form->grids().productOnCurrentRow(), &product);
    EXPECT_FALSE(fs::exists(folder.file("upload/Demo")));
}

TEST_F(PublishActionsTest, PreviewGivesTheRecordingBrowserTheShopsOrItsAdministratorsAddress)
{
    const qs::test::LoopbackHttpServer webServer(
        qs::test::servingImagesFrom(folder.file("Apache/htdocs/images")));
    publish->settings().previewAddress = "http://localhost:" + std::to_string(webServer.port());
    state->BrowserPath = recordingBrowser();
    ui.answers = {Answer::No};
    form->PreviewBtn->click();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Save the Catalogue first?"});
    EXPECT_EQ(browserArguments(),
              publish->settings().previewAddress + "/cgi-bin/qstldb/Demo-cgi/Catalogue.pl\n");
    EXPECT_FALSE(publish->server().running());
    fs::remove(folder.file("arguments"));
    ui.answers = {Answer::No};
    form->actions().previewAdmin->trigger();
    EXPECT_EQ(browserArguments(), publish->settings().previewAddress + "/cgi-bin/qstldb/Demo-cgi/Admin.pl\n");
}

TEST_F(PublishActionsTest, WithoutABrowserPreviewOpensTheSettingsAndTheProgramsEndKeepsThem)
{
    TPreviewSettingsForm& settings = publish->previewSettingsForm();
    test::whenModalShows([&](QWidget* modal) {
        EXPECT_EQ(modal, &settings);
        settings.CancelBtn->click();
    });
    form->actions().viewPreview->trigger();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{std::string(qs::proxyNote)});

    test::whenModalShows([&](QWidget*) {
        settings.HelpBtn->click();
        settings.BrowserEdit->setText("/usr/bin/browser");
        settings.OKBtn->click();
    });
    form->actions().previewSettings->trigger();
    EXPECT_EQ(QFileInfo(form->helpViewer().Browser->source().toLocalFile()).fileName(), "topic-10.html");
    publish->programEnds();
    EXPECT_EQ(folder.read("settings.cfg"),
              "colour=blue\r\nbrowser=/usr/bin/browser\r\npreviewaddress=http://localhost:8080\r\n");
}

} // namespace
} // namespace qs::gui
