#include "core/app/ShopWorkspace.h"
#include "ScriptedUserInterface.h"
#include "TempFolder.h"
#include "Undeletable.h"
#include "core/app/AppState.h"
#include "core/app/CatalogueSave.h"
#include "core/app/Location.h"
#include "core/app/LocationRequired.h"
#include "core/app/ShopChooser.h"
#include "core/app/Startup.h"
#include "core/catalogue/CatalogueCommands.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/EditorState.h"
#include "core/text/FileError.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qs {
namespace {

namespace fs = std::filesystem;
using test::ScriptedUserInterface;
using test::TempFolder;

// A fresh program folder with a small installation: one master script, its
// list, a starting data file and a master image. Start-up has run.
class ShopWorkspaceTest : public ::testing::Test {
protected:
    ShopWorkspaceTest() : state(folder.path().string())
    {
        fs::create_directories(folder.file("Apache/cgi-bin/qstldb/data"));
        fs::create_directories(folder.file("Apache/htdocs/images"));
        folder.write("Apache/cgi-bin/qstldb/AllCGIFiles.txt", "shop.pl\r\nCGIFiles.txt\r\n");
        folder.write("Apache/cgi-bin/qstldb/CGIFiles.txt", "shop.pl\r\n");
        folder.write("Apache/cgi-bin/qstldb/shop.pl", "#!/usr/local/bin/perl -w\nprint 1;\n");
        folder.write("Apache/cgi-bin/qstldb/data/area.txt", "UK\r\n");
        folder.write("Apache/htdocs/images/logo.gif", "GIF");
        EXPECT_TRUE(StartUp(state, ui));
    }

    bool newShop(std::optional<std::string> name)
    {
        ui.inputs.push_back(std::move(name));
        return NewShopCommand(state, editor, ui);
    }

    std::string cgi(std::string_view path) const
    {
        return folder.file("Apache/cgi-bin/qstldb/" + std::string(path));
    }
    std::string images(std::string_view path) const
    {
        return folder.file("Apache/htdocs/images/" + std::string(path));
    }
    std::string programLocation() const { return folder.read("location.cfg"); }

    TempFolder folder;
    AppState state;
    EditorState editor;
    ScriptedUserInterface ui;
};

TEST_F(ShopWorkspaceTest, ANewShopGetsItsFoldersScriptsSettingsAndLocation)
{
    const std::string root = folder.path().string();
    const std::string programWide = programLocation();
    ASSERT_TRUE(newShop("Demo-1"));
    EXPECT_TRUE(ui.said.size() == 1 && ui.said[0].text == "Enter the name of your shop / Enter name:");
    EXPECT_TRUE(editor.ShopOpen);
    EXPECT_EQ(state.ShopName, "Demo-1");
    EXPECT_TRUE(fs::is_directory(folder.file("shops/Demo-1")));
    EXPECT_EQ(folder.read("Apache/cgi-bin/qstldb/Demo-1-cgi/shop.pl"), "#!/usr/bin/perl\nprint 1;\r\n");
    EXPECT_EQ(folder.read("Apache/cgi-bin/qstldb/Demo-1-cgi/CGIFiles.txt"), "shop.pl\r\n");
    EXPECT_EQ(folder.read("Apache/cgi-bin/qstldb/Demo-1-cgi/data/area.txt"), "UK\r\n");
    EXPECT_EQ(folder.read("Apache/htdocs/images/Demo-1-images/logo.gif"), "GIF");
    EXPECT_EQ(folder.read("Apache/cgi-bin/qstldb/Demo-1-cgi/qstl2.cfg"),
              "company=Shopping Online\r\nsales_email=\r\nbasecurrency=gbp\r\ncurrency=gbp\r\ntmpdir=/tmp\r\n"
              "PATH=data\r\nowner_email=\r\nMAX_CATEGORY_DEPTH=3\r\nAUTH=\r\nPPID=\r\nIMAGEPATH=/images\r\n"
              "CGIPATH=/cgi-bin/Demo-1-cgi\r\nmailprogram=/usr/bin/sendmail\r\n");
    EXPECT_EQ(folder.read("Apache/cgi-bin/qstldb/Demo-1-cgi/location.cfg"),
              "LocCGI=" + root + "/Apache/cgi-bin/qstldb\r\nLocImg=" + root +
                  "/Apache/htdocs/images/Demo-1-images\r\nLocImgURL=/images/Demo-1-images\r\n"
                  "LocPerlPath=/usr/bin/perl\r\nRemCGI=/cgi-bin\r\nRemData=data\r\n"
                  "RemImgURL=/images/Demo-1-images\r\nRemPerlPath=/usr/bin/perl\r\nStartup=0\r\n");

    // Leaving with the shop open keeps the program-wide values, so that the
    // next shop's images do not land inside this one's.
    ShutDown(state);
    EXPECT_EQ(programLocation(), programWide);
}

TEST_F(ShopWorkspaceTest, ShopNamesAreCheckedBeforeAnythingIsMade)
{
    const std::string bad(badShopNameMessage);
    const auto badWith = [&](const std::string& working) {
        return bad + " A name that would work: \"" + working + "\".";
    };
    const std::string exists(shopExistsMessage);
    const std::string box = "Enter the name of your shop / Enter name:";
    struct Case {
        // What is typed into each box shown; a refused name shows the box again.
        std::vector<std::optional<std::string>> typed;
        std::vector<std::string> said;
        bool created;
    };
    const Case cases[] = {
        {{std::nullopt}, {box}, false},
        {{""}, {box}, false},
        {{"Harbour Crafts", std::nullopt}, {box, badWith("Harbour-Crafts"), box}, false},
        {{"my  shop_2", std::nullopt}, {box, badWith("my-shop-2"), box}, false},
        {{" Caf\xE9 ", std::nullopt}, {box, bad, box}, false},
        {{"a/../b", std::nullopt}, {box, bad, box}, false},
        {{"\xE9", std::nullopt}, {box, bad, box}, false},
        {{"My Shop2", "My-Shop2"}, {box, badWith("My-Shop2"), box}, true},
        {{"My-Shop2"}, {box, exists}, false},
        {{""}, {box, exists}, false},
        {{"my-shop2"}, {box}, true},
        {{"Zz-09"}, {box}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.front().value_or("(cancelled)"));
        ui.said.clear();
        ui.inputInitials.clear();
        ui.inputs.assign(c.typed.begin(), c.typed.end());
        EXPECT_EQ(NewShop(state, ui), c.created);
        EXPECT_EQ(ui.texts(), c.said);
        // The box asked again keeps what was typed.
        for (std::size_t i = 1; i < ui.inputInitials.size(); ++i)
            EXPECT_EQ(ui.inputInitials[i], c.typed[i - 1].value());
        EXPECT_TRUE(ui.inputs.empty());
        state.locationWithoutShop.reset();
    }
    EXPECT_EQ(listShops(state), (std::vector<std::string>{"My-Shop2", "my-shop2", "Zz-09"}));
}

TEST_F(ShopWorkspaceTest, AfterASaveClosingAsksNothing)
{
    ASSERT_TRUE(newShop("Demo"));
    CatalogueCommands commands(state, editor, ui);
    TNewCategory& books = commands.addCategory();
    commands.addSubCategory(books);
    commands.newProduct(commands.addSubCategory(books));
    ASSERT_EQ(SaveCatalogueCommand(state, ui, SaveConfirmation::Skip), SaveOutcome::Saved);
    ui.said.clear();

    EXPECT_TRUE(CloseShop(state, editor, ui, {}));
    EXPECT_TRUE(ui.said.empty());
}

TEST_F(ShopWorkspaceTest, WithoutALocalCGIFolderNothingOpensIsCreatedOrSaved)
{
    ASSERT_TRUE(newShop("Demo"));
    CloseShop(state, editor, ui, {});
    state.LocCGI.clear();
    ui.said.clear();

    state.ShopName = "Demo";
    EXPECT_THROW(OpenChosenShop(state, editor, ui), LocationNotSet);
    EXPECT_FALSE(editor.ShopOpen);
    EXPECT_EQ(state.ShopName, "");
    EXPECT_THROW(NewShopCommand(state, editor, ui), LocationNotSet);
    state.ShopName = "Demo";
    EXPECT_THROW(SaveCatalogueCommand(state, ui), LocationNotSet);
    // Refused before any question, and nothing was made.
    EXPECT_TRUE(ui.said.empty());
    EXPECT_EQ(listShops(state), std::vector<std::string>{"Demo"});
}

TEST_F(ShopWorkspaceTest, CreationGoesOnWithoutScriptsWhenTheyAreNotThere)
{
    // Making the shop's CGI folder makes a missing CGI root too, so only its list is missing then.
    state.LocCGI = folder.file("elsewhere");
    ASSERT_TRUE(newShop("Demo"));
    EXPECT_EQ(ui.texts().back(), "The CGI list-file (" + state.LocCGI + "/AllCGIFiles.txt) does not exist.");
    EXPECT_TRUE(fs::is_directory(folder.file("elsewhere/Demo-cgi/data")));
    EXPECT_FALSE(fs::exists(folder.file("elsewhere/Demo-cgi/qstl2.cfg")));
    EXPECT_EQ(folder.read("Apache/htdocs/images/Demo-images/logo.gif"), "GIF");
    CloseShop(state, editor, ui, {});

    folder.write("plain", "");
    state.LocCGI = folder.file("plain/cgi");
    const std::string missing = state.LocCGI;
    // Creation goes on, but the shop's location file has nowhere to go.
    EXPECT_THROW(newShop("Other"), FileError);
    EXPECT_EQ(ui.texts().back(), "The local CGI directory specified (" + missing + ") does not exist.");
    EXPECT_EQ(folder.read("Apache/htdocs/images/Other-images/logo.gif"), "GIF");
    EXPECT_EQ(state.ShopName, "");
}

TEST_F(ShopWorkspaceTest, AScriptThatCannotBeCopiedStopsTheCommandAndOpensNothing)
{
    fs::remove(cgi("shop.pl"));
    const std::string imagesBefore = state.LocImg;
    ui.inputs.push_back("Demo");
    EXPECT_THROW(NewShopCommand(state, editor, ui), FileError);
    EXPECT_EQ(ui.texts().back(),
              "There was an error processing the CGI list-file \"AllCGIFiles.txt\" while copying shop.pl.");
    EXPECT_FALSE(editor.ShopOpen);
    EXPECT_EQ(state.ShopName, "");
    EXPECT_EQ(state.LocImg, imagesBefore);
    EXPECT_FALSE(state.locationWithoutShop);
    EXPECT_TRUE(fs::is_directory(cgi("Demo-cgi")));
}

TEST_F(ShopWorkspaceTest, AShopMadeByAnotherVersionGetsTheMasterScriptsWhenItOpens)
{
    struct Case {
        const char* name;
        std::optional<std::string> mark; // the shop's, before opening
        bool refreshed;
    };
    const Case cases[] = {
        {"made before shops were marked", std::nullopt, true},
        {"made by an earlier version", "1.00", true},
        {"made by this version", QUAYSTALL_VERSION, false},
    };
    ASSERT_TRUE(newShop("Demo"));
    EXPECT_EQ(folder.read("Apache/cgi-bin/qstldb/Demo-cgi/scripts-version.txt"), QUAYSTALL_VERSION "\n");
    CloseShop(state, editor, ui, {});
    // The master's scripts changed since the shop was made: one more script,
    // and a list naming it.
    folder.write("Apache/cgi-bin/qstldb/shop.pl", "#!/usr/bin/perl\nprint 2;\n");
    folder.write("Apache/cgi-bin/qstldb/ShopNew.pm", "1;\n");
    folder.write("Apache/cgi-bin/qstldb/AllCGIFiles.txt", "shop.pl\r\nShopNew.pm\r\nCGIFiles.txt\r\n");
    folder.write("Apache/cgi-bin/qstldb/Demo-cgi/admin.pass", "manager:secret\n");
    folder.write("Apache/cgi-bin/qstldb/Demo-cgi/data/area.txt", "UK\r\nFrance\r\n");
    const std::vector<std::string> merchants = {"qstl2.cfg", "admin.pass", "location.cfg", "data/area.txt"};
    std::vector<std::string> before;
    for (const std::string& file : merchants)
        before.push_back(folder.read("Apache/cgi-bin/qstldb/Demo-cgi/" + file));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(cgi("Demo-cgi/ShopNew.pm"));
        folder.write("Apache/cgi-bin/qstldb/Demo-cgi/shop.pl", "old");
        fs::remove(cgi("Demo-cgi/scripts-version.txt"));
        if (c.mark)
            folder.write("Apache/cgi-bin/qstldb/Demo-cgi/scripts-version.txt", *c.mark + "\n");

        state.ShopName = "Demo";
        ASSERT_TRUE(OpenChosenShop(state, editor, ui));
        EXPECT_EQ(folder.read("Apache/cgi-bin/qstldb/Demo-cgi/shop.pl"),
                  c.refreshed ? "#!/usr/bin/perl\nprint 2;\r\n" : "old");
        EXPECT_EQ(fs::exists(cgi("Demo-cgi/ShopNew.pm")), c.refreshed);
        for (std::size_t i = 0; i < merchants.size(); ++i)
            EXPECT_EQ(folder.read("Apache/cgi-bin/qstldb/Demo-cgi/" + merchants[i]), before[i])
                << merchants[i];
        EXPECT_EQ(folder.read("Apache/cgi-bin/qstldb/Demo-cgi/scripts-version.txt"), QUAYSTALL_VERSION "\n");
        CloseShop(state, editor, ui, {});
    }
}

TEST_F(ShopWorkspaceTest, TheChooserListsEveryEntryButOpensOnlyFolders)
{
    ShopChooser chooser;
    chooser.fill(state);
    EXPECT_EQ(chooser.selected(), -1);
    EXPECT_FALSE(chooser.okEnabled());
    EXPECT_FALSE(chooser.confirm(state, ui));

    fs::create_directories(folder.file("shops"));
    folder.write("shops/stray-file", "");
    chooser.fill(state);
    ASSERT_EQ(chooser.shops(), std::vector<std::string>{"stray-file"});
    EXPECT_EQ(chooser.selected(), 0);
    EXPECT_TRUE(chooser.okEnabled());
    EXPECT_FALSE(chooser.confirm(state, ui));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Sorry! This shop seems to be missing."});
    EXPECT_EQ(state.ShopName, "");

    fs::create_directories(folder.file("shops/Real"));
    chooser.fill(state);
    chooser.select(chooser.shops()[0] == "Real" ? 0 : 1);
    EXPECT_TRUE(chooser.confirm(state, ui));
    EXPECT_EQ(state.ShopName, "Real");

    EXPECT_EQ(chooser.caption(), "Open a Shop...");
    EXPECT_TRUE(chooser.newShopVisible());
    chooser.setMode(ShopChooser::Mode::Delete);
    EXPECT_EQ(chooser.caption(), "Delete a Shop...");
    EXPECT_FALSE(chooser.newShopVisible());
}

TEST_F(ShopWorkspaceTest, OpeningOffersTheLastShopOpenedFirst)
{
    struct Case {
        const char* name;
        ShopChooser::Mode mode;
        std::string offeredFirst;
        std::vector<std::string> listed;
    };
    const Case cases[] = {
        {"the last shop first", ShopChooser::Mode::Open, "Toys", {"Toys", "Books", "Garden"}},
        {"the first already", ShopChooser::Mode::Open, "Books", {"Books", "Garden", "Toys"}},
        {"a shop since deleted", ShopChooser::Mode::Open, "Gone", {"Books", "Garden", "Toys"}},
        {"none yet", ShopChooser::Mode::Open, "", {"Books", "Garden", "Toys"}},
        {"not when deleting", ShopChooser::Mode::Delete, "Toys", {"Books", "Garden", "Toys"}},
    };
    for (const char* shop : {"Toys", "Books", "Garden"})
        fs::create_directories(folder.file("shops/" + std::string(shop)));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShopChooser chooser(c.mode);
        chooser.fill(state, c.offeredFirst);
        EXPECT_EQ(chooser.shops(), c.listed);
        EXPECT_EQ(chooser.selected(), 0);
    }
}

TEST_F(ShopWorkspaceTest, OpeningTakesTheShopsOwnSettingsWithOrWithoutACatalogue)
{
    struct Case {
        const char* name;
        bool settingsFile;
        bool catalogue;
        std::string company; // after opening
    };
    const Case cases[] = {
        {"settings only", true, false, "Demo Ltd"},
        {"settings and catalogue", true, true, "Demo Ltd"},
        {"catalogue only", false, true, "Shopping Online"},
        {"neither", false, false, "Shopping Online"},
    };
    ASSERT_TRUE(newShop("Demo"));
    CloseShop(state, editor, ui, {});
    const std::string settings = "Apache/cgi-bin/qstldb/Demo-cgi/qstl2.cfg";
    const std::string shopData = "Apache/cgi-bin/qstldb/Demo-cgi/data/shop.data";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(folder.file(settings));
        fs::remove(folder.file(shopData));
        if (c.settingsFile)
            folder.write(settings, "company=Demo Ltd\r\nMAX_CATEGORY_DEPTH=4\r\nAUTH=key\r\n");
        if (c.catalogue)
            folder.write(shopData, "0::Books|Dune::\r\n");
        state.ShopFields.setValue("company", "From the last shop");

        state.ShopName = "Demo";
        ui.said.clear();
        ASSERT_TRUE(OpenChosenShop(state, editor, ui));
        EXPECT_EQ(ui.texts(), c.settingsFile ? std::vector<std::string>{}
                                             : std::vector{missingSettingsMessage(folder.file(settings))});
        EXPECT_EQ(state.ShopFields.value("company"), c.company);
        EXPECT_EQ(state.MAX_CATEGORY_DEPTH, c.settingsFile ? 4 : 3);
        EXPECT_EQ(state.catalogue.productCount(), c.catalogue ? 1u : 0u);

        // Saving keeps what the file held.
        ASSERT_EQ(SaveCatalogueCommand(state, ui, SaveConfirmation::Skip), SaveOutcome::Saved);
        EXPECT_EQ(NameValueList::fromFile(folder.file(settings)).value("AUTH"), c.settingsFile ? "key" : "");
        CloseShop(state, editor, ui, {});
    }
}

TEST_F(ShopWorkspaceTest, OpeningAShopReadsItsChargeTablesNeverTheLastShops)
{
    ASSERT_TRUE(newShop("Demo"));
    EXPECT_EQ(state.Postage.areas.bytes(), "UK=\r\n") << "the starting data's areas";
    folder.write("Apache/cgi-bin/qstldb/Demo-cgi/data/zones_data.log", "1::100::2::::::::::\r\n");
    CloseShop(state, editor, ui, {});
    state.ShopName = "Demo";
    ASSERT_TRUE(OpenChosenShop(state, editor, ui));
    EXPECT_EQ(state.Postage.tables.bands, std::vector<std::string>{"100"});
    CloseShop(state, editor, ui, {});

    ASSERT_TRUE(newShop("Bare"));
    fs::remove(folder.file("Apache/cgi-bin/qstldb/Bare-cgi/data/area.txt"));
    CloseShop(state, editor, ui, {});
    state.ShopName = "Bare";
    ASSERT_TRUE(OpenChosenShop(state, editor, ui));
    EXPECT_TRUE(state.Postage.tables.bands.empty());
    EXPECT_EQ(state.Postage.areas, DeliveryAreas::builtIn());
}

TEST_F(ShopWorkspaceTest, OpeningReadsTheCatalogueFromTheFoldersInForceBeforehand)
{
    ASSERT_TRUE(newShop("Demo"));
    CloseShop(state, editor, ui, {});
    folder.write("Apache/cgi-bin/qstldb/Demo-cgi/data/shop.data", "0::Books|Dune\r\n");
    folder.write("Apache/cgi-bin/qstldb/Demo-cgi/location.cfg", "LocCGI=/moved\r\n");
    folder.write("Apache/cgi-bin/qstldb/Demo-cgi/qstl2.cfg",
                 "MAX_CATEGORY_DEPTH=7\r\nmailprogram=/bin/m\r\n");

    state.ShopName = "Demo";
    ASSERT_TRUE(OpenChosenShop(state, editor, ui));
    EXPECT_EQ(state.catalogue.productCount(), 1u);
    EXPECT_NE(state.catalogue.findByPath("Books"), nullptr);
    EXPECT_EQ(state.MAX_CATEGORY_DEPTH, 7);
    EXPECT_EQ(state.LocCGI, "/moved");
}

TEST_F(ShopWorkspaceTest, AShopWhoseSettingsCannotBeLoadedIsNotOpened)
{
    ASSERT_TRUE(newShop("Demo"));
    CloseShop(state, editor, ui, {});
    const std::string cgiRoot = state.LocCGI;
    folder.write("Apache/cgi-bin/qstldb/Demo-cgi/data/shop.data", "0::Books|Dune\r\n");
    folder.write("Apache/cgi-bin/qstldb/Demo-cgi/qstl2.cfg", "MAX_CATEGORY_DEPTH=deep\r\n");
    folder.write("Apache/cgi-bin/qstldb/Demo-cgi/location.cfg", "LocCGI=/moved\r\n");

    state.ShopName = "Demo";
    EXPECT_FALSE(OpenChosenShop(state, editor, ui));
    EXPECT_EQ(ui.texts().back(), "'deep' is not a valid integer value");
    EXPECT_FALSE(editor.ShopOpen);
    EXPECT_EQ(state.ShopName, "");
    EXPECT_EQ(state.LocCGI, cgiRoot);
    EXPECT_FALSE(state.locationWithoutShop);
}

TEST_F(ShopWorkspaceTest, ANewShopOpensWithTheCatalogueOfItsStartingData)
{
    folder.write("Apache/cgi-bin/qstldb/data/shop.data", "5::Tea|Assam\r\n");
    ASSERT_TRUE(newShop("Demo"));
    EXPECT_EQ(state.catalogue.productCount(), 1u);
    EXPECT_NE(state.catalogue.findByPath("Tea"), nullptr);
}

TEST_F(ShopWorkspaceTest, ClosingOffersToSaveAndReturnsToTheProgramWideValues)
{
    struct Case {
        bool modified, pendingEdit;
        std::optional<Answer> answer;
        SaveOutcome saveOutcome;
        bool saved, closes;
    };
    const Case cases[] = {
        {true, false, Answer::Yes, SaveOutcome::Saved, true, true},
        {false, true, Answer::Yes, SaveOutcome::Saved, true, true},
        {true, false, Answer::No, SaveOutcome::Saved, false, true},
        {false, false, std::nullopt, SaveOutcome::Saved, false, true},
        // Nothing unsaved is thrown away: Cancel, or a save that failed, keeps the shop open.
        {true, true, Answer::Cancel, SaveOutcome::Saved, false, false},
        {true, false, Answer::Yes, SaveOutcome::Failed, true, false},
        // A No to Save's own confirmation returns to the shop as it was.
        {true, false, Answer::Yes, SaveOutcome::Declined, true, false},
    };
    const std::string programImages = state.LocImg;
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        ui.said.clear();
        ASSERT_TRUE(newShop("Shop" + std::to_string(&c - cases)));
        state.catalogue.addCategory(state.catalogue.root(), "Books");
        state.SettingsModified = c.modified;
        editor.CategoryEdited = c.pendingEdit;
        if (c.answer)
            ui.answers.push_back(*c.answer);
        bool saved = false;
        const bool closed = CloseShop(state, editor, ui, [&] {
            saved = true;
            return c.saveOutcome;
        });
        EXPECT_EQ(saved, c.saved);
        EXPECT_EQ(closed, c.closes);
        EXPECT_EQ(ui.said.back().text == "Do you wish to save the catalogue?", c.answer.has_value());
        if (c.closes) {
            EXPECT_EQ(state.ShopName, "");
            EXPECT_EQ(state.catalogue.categoryCount(), 0u);
            EXPECT_FALSE(editor.ShopOpen || editor.CategoryEdited);
            EXPECT_EQ(state.LocImg, programImages);
            EXPECT_FALSE(state.locationWithoutShop);
        } else {
            EXPECT_EQ(state.ShopName, "Shop" + std::to_string(&c - cases));
            EXPECT_EQ(state.catalogue.categoryCount(), 1u);
            EXPECT_TRUE(editor.ShopOpen);
            ui.answers.push_back(Answer::No);
            ASSERT_TRUE(CloseShop(state, editor, ui, {}));
        }
    }
}

TEST_F(ShopWorkspaceTest, DeletingAShopRemovesItsThreeFolders)
{
    ASSERT_TRUE(newShop("Demo"));
    CloseShop(state, editor, ui, {});

    state.ShopName = "Demo";
    ui.answers = {Answer::No};
    EXPECT_FALSE(DeleteShop(state, ui));
    EXPECT_EQ(ui.said.back().text,
              "Do you want to delete the 'Demo' shop?\r\nThis will delete all its data files and templates.");
    EXPECT_TRUE(fs::is_directory(folder.file("shops/Demo")));

    state.ShopName = "Demo";
    ui.answers = {Answer::Yes};
    EXPECT_TRUE(DeleteShop(state, ui));
    EXPECT_EQ(ui.texts().back(), "Shop successfully deleted.");
    EXPECT_EQ(state.ShopName, "");
    EXPECT_FALSE(fs::exists(folder.file("shops/Demo")));
    EXPECT_FALSE(fs::exists(cgi("Demo-cgi")));
    EXPECT_FALSE(fs::exists(images("Demo-images")));
    EXPECT_TRUE(fs::exists(cgi("shop.pl")));
    EXPECT_TRUE(fs::exists(images("logo.gif")));
}

TEST_F(ShopWorkspaceTest, AMarkerThatWillNotGoLeavesTheOtherFoldersAlone)
{
    ASSERT_TRUE(newShop("Demo"));
    CloseShop(state, editor, ui, {});
    folder.write("shops/Demo/note", "x");

    test::Undeletable guard(folder.file("shops/Demo"));
    if (!guard.available())
        GTEST_SKIP() << "no way to make a file undeletable here";
    state.ShopName = "Demo";
    ui.answers = {Answer::Yes};
    EXPECT_FALSE(DeleteShop(state, ui));
    EXPECT_EQ(ui.texts().back(), "Could not delete all the directories. Sorry.");
    EXPECT_EQ(state.ShopName, "");
    EXPECT_TRUE(fs::exists(cgi("Demo-cgi/shop.pl")));
    EXPECT_TRUE(fs::exists(images("Demo-images/logo.gif")));
}

} // namespace
} // namespace qs
