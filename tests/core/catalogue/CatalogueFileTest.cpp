#include "core/catalogue/CatalogueFile.h"
#include "ScriptedUserInterface.h"
#include "TempFolder.h"
#include "core/app/AppState.h"
#include "core/app/CatalogueSave.h"
#include "core/catalogue/RenamedProducts.h"
#include "core/settings/ShopSettingsFile.h"
#include "core/text/FileError.h"
#include "core/text/NameValueList.h"
#include "core/text/ReadFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qs {
namespace {

namespace fs = std::filesystem;
using test::ScriptedUserInterface;
using test::TempFolder;

// A shop "Demo" in a temporary CGI folder, with its settings file in place.
class CatalogueFileTest : public ::testing::Test {
protected:
    CatalogueFileTest() : state(folder.path().string())
    {
        state.LocCGI = folder.file("cgi");
        state.ShopName = "Demo";
        fs::create_directories(state.ShopDataDir());
        ShopSettings().saveToFile(settingsPath());
    }

    std::string settingsPath() const { return state.ShopCGIDir() + "/qstl2.cfg"; }
    std::string shopData() const { return state.ShopDataDir() + "/shop.data"; }
    std::string headerLog() const { return state.ShopDataDir() + "/header_data.log"; }

    void writeShopData(std::string_view bytes) const
    {
        std::ofstream(shopData(), std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }

    bool load() { return LoadCatalogue(state, ui, shopData(), state.ShopDataDir()); }

    // The catalogue as text: every category's path with its products' names, in tree order.
    std::string outline(const TNewCategory& node, int indent = 0) const
    {
        std::string text;
        for (const auto& child : node.children()) {
            text += std::string(indent, ' ') + std::string(child->text()) + ":";
            for (const auto& product : child->products())
                text += " " + std::string(product->name());
            text += "\n" + outline(*child, indent + 1);
        }
        return text;
    }

    TempFolder folder;
    AppState state;
    ScriptedUserInterface ui;
};

std::string colons(int count)
{
    return std::string(static_cast<std::size_t>(count), ':');
}

TEST_F(CatalogueFileTest, WritesTheExampleLinesByteForByte)
{
    TNewCategory& books = state.catalogue.addCategory(state.catalogue.root(), "Books");
    TNewProduct& dune = state.catalogue.createProduct(books);
    ASSERT_TRUE(dune.setField("Product Name", "Dune", ui));
    dune.setField("Price", "9.99", ui);
    ASSERT_EQ(dune.ID, 0);

    ASSERT_TRUE(writeCatalogue(state, ui, shopData()));

    EXPECT_EQ(readFileBytes(shopData()), "0::Books|Dune" + colons(14) + "9.99" + colons(28) + "\r\n");
    EXPECT_EQ(readFileBytes(headerLog()), "0::Books" + colons(8) + "\r\n");

    books.setDetail("Description", "About");
    books.setDetail("Picture", "b.jpg");
    books.setDetail("Template", "b.htm");
    ASSERT_TRUE(writeCatalogue(state, ui, shopData()));
    EXPECT_EQ(readFileBytes(headerLog()), "0::Books::About::::b.jpg::b.htm\r\n");
}

TEST_F(CatalogueFileTest, SaveWritesDepthSettingsAndClearsTheModifiedFlag)
{
    TNewCategory& top = state.catalogue.addCategory(state.catalogue.root(), "Top");
    state.catalogue.addCategory(top, "Sub");
    state.SettingsModified = true;
    state.LocImgURL = "/images/Demo-images";
    ui.answers = {Answer::Yes};

    ASSERT_EQ(SaveCatalogueCommand(state, ui), SaveOutcome::Saved);

    EXPECT_FALSE(state.CatalogueModified());
    EXPECT_EQ(state.MAX_CATEGORY_DEPTH, 3);
    const NameValueList settings = NameValueList::fromFile(settingsPath());
    EXPECT_EQ(settings.value("MAX_CATEGORY_DEPTH"), "3");
    EXPECT_EQ(settings.value("version"), "local");
    EXPECT_EQ(settings.value("IMAGEPATH"), "/images/Demo-images");
    EXPECT_EQ(settings.value("CGIPATH"), state.ShopCGIDir());
    EXPECT_EQ(NameValueList::fromFile(state.ShopCGIDir() + "/location.cfg").value("LocCGI"), state.LocCGI);
    EXPECT_EQ(ui.said.front().text, "This will save your shop in the specified location.\nProceed?");
}

TEST_F(CatalogueFileTest, ASaveRemovesWhatInterruptedSavesLeftInTheShopsFolders)
{
    const std::vector<std::string> left = {state.ShopDataDir() + "/.flavours.txt.qs-save-a1B2c3",
                                           state.ShopCGIDir() + "/.location.cfg.qs-save-zzzzzz"};
    const std::string kept = state.ShopDataDir() + "/notes.qs-save-a1B2c3";
    for (const std::string& path : left)
        std::ofstream(path) << "half";
    std::ofstream(kept) << "the merchant's";

    ASSERT_TRUE(writeCatalogue(state, ui, shopData()));

    for (const std::string& path : left)
        EXPECT_FALSE(fs::exists(path)) << path;
    EXPECT_TRUE(fs::exists(kept));
}

TEST_F(CatalogueFileTest, AnsweringNoWritesNothing)
{
    state.catalogue.addCategory(state.catalogue.root(), "Top");
    state.SettingsModified = true;
    ui.answers = {Answer::No};

    EXPECT_EQ(SaveCatalogueCommand(state, ui), SaveOutcome::Declined);

    EXPECT_TRUE(state.CatalogueModified());
    EXPECT_FALSE(fs::exists(shopData()));
    EXPECT_FALSE(fs::exists(state.ShopCGIDir() + "/location.cfg"));
}

TEST_F(CatalogueFileTest, AnUnwritableCatalogueFileIsToldAndNothingIsWritten)
{
    TNewCategory& books = state.catalogue.addCategory(state.catalogue.root(), "Books");
    state.catalogue.createProduct(books);
    state.SettingsModified = true;
    fs::create_directories(shopData()); // a folder where the file should go
    const std::string settingsBefore = readFileBytes(settingsPath());
    ui.answers = {Answer::Yes};

    EXPECT_EQ(SaveCatalogueCommand(state, ui), SaveOutcome::Failed);

    EXPECT_EQ(ui.said.back().text, "There was a problem saving the catalogue file.\r\nCannot create file " +
                                       shopData() + ": Is a directory");
    EXPECT_TRUE(state.CatalogueModified());
    EXPECT_FALSE(fs::exists(headerLog()));
    EXPECT_EQ(readFileBytes(settingsPath()), settingsBefore);
    EXPECT_FALSE(fs::exists(state.ShopCGIDir() + "/location.cfg"));
}

TEST_F(CatalogueFileTest, AnUnwritableCategoryFileStopsTheSaveWithTheSystemMessageAndNothingIsWritten)
{
    state.catalogue.addCategory(state.catalogue.root(), "Books");
    fs::create_directories(headerLog());
    const std::string settingsBefore = readFileBytes(settingsPath());
    ui.answers = {Answer::Yes};

    try {
        SaveCatalogueCommand(state, ui);
        FAIL() << "the save went on";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + headerLog() + ": Is a directory");
    }
    EXPECT_EQ(readFileBytes(settingsPath()), settingsBefore);
    EXPECT_FALSE(fs::exists(shopData()));
    EXPECT_FALSE(fs::exists(state.ShopCGIDir() + "/location.cfg"));
}

TEST_F(CatalogueFileTest, LoadsPathsMergesNamesakesAndSortsEveryLevel)
{
    writeShopData("5::Toys|Kites|Red Kite::\r\n"
                  "3::Books|Books|Dune::\r\n" // a sub-category named like its parent
                  "9::Books|Emma::\n"         // LF only
                  "::\r"                      // no path: skipped
                  "4::Lonely::\r\n"           // no category: skipped
                  "4::Lonely" +
                  colons(60) +
                  "\r\n" // skipped, however many fields
                  "::" +
                  colons(60) +
                  "\r\n"
                  "8::apple|x::\r\n"
                  "1::Apple|y::\r\n"
                  "2::banana|z::\r\n");

    ASSERT_TRUE(load());

    EXPECT_EQ(outline(state.catalogue.root()), "apple: x\n"
                                               "Apple: y\n"
                                               "banana: z\n"
                                               "Books: Dune Emma\n"
                                               "Toys:\n"
                                               " Kites: Red Kite\n");
    // Every product created takes the next ID before the file's ID replaces
    // it: six products from 0, then raised past the largest ID read (9).
    EXPECT_EQ(state.catalogue.NextProductID, 13);
    const TNewCategory* books = state.catalogue.findByPath("Books");
    ASSERT_NE(books, nullptr);
    EXPECT_EQ(books->ProductCounter, 2);
    EXPECT_EQ(books->products()[0]->ID, 3);
    EXPECT_EQ(books->products()[0]->field("Category"), "Books");
    EXPECT_TRUE(ui.said.empty());
}

// Consecutive lines of either file mostly name the same category or one
// below it; whatever the order, each path must reach the category a walk
// from the top would.
TEST_F(CatalogueFileTest, EachPathReachesItsCategoryWhateverTheLineBefore)
{
    struct Case {
        const char* name;
        std::string products;
        std::string categories;
        std::string outline;
    };
    const Case cases[] = {
        {"a path that only begins like the one before", "1::A|B|p::\r\n2::A|BC|q::\r\n3::A|B|C|r::\r\n", "",
         "A:\n B: p\n  C: r\n BC: q\n"},
        {"a sub-category named like the category before merges into it", "1::A|B|p::\r\n2::A|B|B|q::\r\n", "",
         "A:\n B: p q\n"},
        {"a shorter path after a longer one", "1::A|B|C|p::\r\n2::A|q::\r\n3::A|B|r::\r\n", "",
         "A: q\n B: r\n  C: p\n"},
        {"an empty name, then a path below it", "1::|p::\r\n2::|X|q::\r\n", "", ": p\n X: q\n"},
        {"the category file after the products", "1::A|B|p::\r\n",
         "0::A::::::::\r\n1::A|B::::::::\r\n2::A|B|B::::::::\r\n3::A|B|C::::::::\r\n4::A|BC::::::::\r\n"
         "5::D|E::::::::\r\n",
         "A:\n B: p\n  C:\n BC:\nD:\n E:\n"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(LoadCatalogueBytes(state, ui, c.products, c.categories)) << c.name;
        EXPECT_EQ(outline(state.catalogue.root()), c.outline) << c.name;
    }
}

TEST_F(CatalogueFileTest, RenamedProductsAreToldOnceAfterTheLoad)
{
    writeShopData("0::Books|Dune::\r\n1::Books|Dune::\r\n2::Books|New Product 2::\r\n3::Books|x::\r\n"
                  "7::Books|::9.99\r\n");

    ASSERT_TRUE(load());

    const auto& products = state.catalogue.findByPath("Books")->products();
    ASSERT_EQ(products.size(), 5u);
    EXPECT_EQ(products[1]->name(), "New Product 1");
    EXPECT_EQ(products[2]->name(), "New Product 2");
    EXPECT_EQ(products[3]->name(), "x");
    EXPECT_EQ(products[4]->name(), "New Product 4");
    EXPECT_EQ(products[4]->field("Type"), "9.99");
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{std::string(RenamedProducts::unnamedHeading) +
                                                        "\r\nBooks, ID 7: now New Product 4",
                                                    std::string(RenamedProducts::duplicateHeading) +
                                                        "\r\nBooks, ID 1: Dune is now New Product 1"}));
}

// As a catalogue saved with a counter-made name another product already had.
TEST_F(CatalogueFileTest, ACounterMadeNameInUseIsToldAndPassedOver)
{
    writeShopData("0::Toys|New Product 2::\r\n1::Toys|Kite::\r\n2::Toys|New Product 2::\r\n");

    ASSERT_TRUE(load());

    const auto& products = state.catalogue.findByPath("Toys")->products();
    ASSERT_EQ(products.size(), 3u);
    EXPECT_EQ(products[2]->name(), "New Product 3");
    EXPECT_EQ(ui.texts(), std::vector<std::string>{std::string(RenamedProducts::duplicateHeading) +
                                                   "\r\nToys, ID 2: New Product 2 is now New Product 3"});
}

TEST_F(CatalogueFileTest, ManyRenamesListTheFirstTwentyAndCountTheRest)
{
    std::string data;
    for (int id = 0; id < 25; ++id)
        data += std::to_string(id) + "::Tea|Assam::\r\n";
    writeShopData(data);

    ASSERT_TRUE(load());

    ASSERT_EQ(ui.said.size(), 1u);
    const std::string& text = ui.said[0].text;
    EXPECT_TRUE(text.starts_with(std::string(RenamedProducts::duplicateHeading) +
                                 "\r\nTea, ID 1: Assam is now New Product 1\r\n"));
    EXPECT_NE(text.find("Tea, ID 20: Assam is now New Product 20\r\n... and 4 more."), std::string::npos);
    EXPECT_EQ(text.find("ID 21"), std::string::npos);
}

TEST_F(CatalogueFileTest, ReadsColumnsAndTurnsNotApplicableIntoEmpty)
{
    std::string line = "7::A|p";
    for (std::size_t column = 2; column < catalogueColumnCount; ++column)
        line += "::" + (column == 8 ? std::string("n/a") : "v" + std::to_string(column));
    writeShopData(line + "\r\n");

    ASSERT_TRUE(load());

    const TNewProduct& p = *state.catalogue.findByPath("A")->products()[0];
    EXPECT_EQ(p.field("Type"), "v2");
    EXPECT_EQ(p.field("Price"), "");
    EXPECT_EQ(p.field("Product Template"), "v22");
    EXPECT_EQ(p.field("Description"), "v18");
}

TEST_F(CatalogueFileTest, AwkwardCatalogueSurvivesASaveAndReload)
{
    Catalogue& c = state.catalogue;
    TNewCategory& books = c.addCategory(c.root(), "Books");
    books.setDetail("Default Picture", "book.jpg");
    books.setDetail("Description", "All our books");
    TNewCategory& fiction = c.addCategory(books, "Fiction");
    c.addCategory(c.root(), "Empty");
    TNewProduct& dune = c.createProduct(fiction);
    dune.setField("Product Name", "Dune", ui);
    dune.setField("Price", "9.99", ui);
    TNewProduct& own = c.createProduct(fiction);
    own.setField("Picture", "own.jpg", ui);
    c.setProductID(own, 5000000000); // beyond 32 bits
    c.createProduct(books);

    ASSERT_TRUE(writeCatalogue(state, ui, shopData()));
    const std::string written = readFileBytes(shopData());

    AppState reopened(state.ProgramDir);
    reopened.LocCGI = state.LocCGI;
    reopened.ShopName = state.ShopName;
    ASSERT_TRUE(LoadCatalogue(reopened, ui, shopData(), reopened.ShopDataDir()));

    // The empty category comes back from its line; defaults became the products' own values.
    EXPECT_EQ(outline(reopened.catalogue.root()),
              "Books: New Product 0\n Fiction: Dune New Product 1\nEmpty:\n");
    const TNewCategory* fictionAgain = reopened.catalogue.findByPath("Books|Fiction");
    ASSERT_NE(fictionAgain, nullptr);
    EXPECT_EQ(fictionAgain->products()[0]->field("Picture"), "");
    EXPECT_EQ(fictionAgain->products()[1]->ID, 5000000000);
    EXPECT_EQ(reopened.catalogue.findByPath("Books")->detail("Description"), "All our books");
    // The category's default was written into the empty field.
    EXPECT_EQ(reopened.catalogue.findByPath("Books")->products()[0]->field("Picture"), "book.jpg");
    // Raised past the largest ID read (by the three products created after it).
    EXPECT_EQ(reopened.catalogue.NextProductID, 5000000004);

    ASSERT_TRUE(writeCatalogue(reopened, ui, shopData()));
    EXPECT_EQ(readFileBytes(shopData()), written);

    // Read and written in memory, the files come out the same.
    const std::string categories = readFileBytes(headerLog());
    AppState inMemory(state.ProgramDir);
    ASSERT_TRUE(LoadCatalogueBytes(inMemory, ui, written, categories));
    EXPECT_EQ(productFileBytes(inMemory.catalogue), written);
    EXPECT_EQ(categoryFileBytes(inMemory.catalogue), categories);
}

// Files far larger than the pieces a save gathers before handing them on
// come out whole, the same as the bytes written in memory.
TEST_F(CatalogueFileTest, ALargeCatalogueIsSavedWholeAsWrittenInMemory)
{
    Catalogue& c = state.catalogue;
    const std::string text(100, 'x');
    for (int i = 0; i < 800; ++i) {
        TNewCategory& range = c.addCategory(c.root(), "Range " + std::to_string(i));
        range.setDetail("Description", text + std::to_string(i));
        for (int j = 0; j < 2; ++j)
            c.createProduct(range).setField("Description", text + std::to_string(j), ui);
    }
    ASSERT_TRUE(writeCatalogue(state, ui, shopData()));
    const std::string products = readFileBytes(shopData());
    const std::string categories = readFileBytes(headerLog());
    EXPECT_GT(categories.size(), 100'000u);
    EXPECT_EQ(products, productFileBytes(c));
    EXPECT_EQ(categories, categoryFileBytes(c));
}

TEST_F(CatalogueFileTest, CategoryDefaultsFillTheEmptyColumnsOfTheirOwnProducts)
{
    Catalogue& c = state.catalogue;
    TNewCategory& toys = c.addCategory(c.root(), "Toys");
    toys.setDetail("default price", "1.00"); // a default's name in any case
    toys.setDetail("Default Unit", "each");
    toys.setDetail("Default Tax Code", "T1");
    toys.setDetail("Default Colour", "red"); // no such column
    toys.setDetail("Defaultprice", "9.00");
    TNewProduct& kite = c.createProduct(toys);
    kite.setField("Product Name", "Kite", ui);
    kite.setField("Unit", "pair", ui); // its own value comes first
    c.setProductID(kite, 7);
    // A category without a name still has its details and its own defaults.
    TNewCategory& unnamed = c.addCategory(toys, "");
    unnamed.setDetail("Description", "Odds and ends");
    unnamed.setDetail("Default Price", "2.50");
    TNewProduct& ball = c.createProduct(unnamed);
    ball.setField("Product Name", "Ball", ui);
    c.setProductID(ball, 8);

    EXPECT_EQ(productFileBytes(c), "7::Toys|Kite::::::::::::pair::1.00::::::::::::::::::::::::::T1::\r\n"
                                   "8::Toys||Ball::::::::::::::2.50::::::::::::::::::::::::::::\r\n");
    EXPECT_EQ(categoryFileBytes(c), "0::Toys::::::::\r\n1::Toys|::Odds and ends::::::\r\n");
}

TEST_F(CatalogueFileTest, BadLinesStopTheLoadAndSayWhere)
{
    struct Case {
        const char* name;
        std::string data;
        std::string message;
    };
    const std::string tooLong = "2::A|c" + std::string(22 * 2, ':') + "\r\n";
    const Case cases[] = {
        {"id not a number", "0::A|a::\r\n1::A|b::\r\nabc::A|c::\r\n",
         "'abc' is not a valid integer value\n(line 3 of "},
        {"id out of range", "0::A|a::\r\n1::A|b::\r\n99999999999999999999::A|c::\r\n",
         "'99999999999999999999' is not a valid integer value\n(line 3 of "},
        {"more than 23 fields", "0::A|a::\r\n1::A|b::\r\n" + tooLong,
         "A catalogue line has more than 23 fields\n(line 3 of "},
        {"a field that a save would run into the next", "0::A|a::\r\n1::A|b::\r\n2::A|c::Hardback:\r\n",
         "The Type of a catalogue line ends with \":\", which would run into the field after it when the "
         "catalogue is saved\n(line 3 of "},
        {"a category name that a save would run into the next field", "0::A|a::\r\n1::A|b::\r\n2::A|B:|c\r\n",
         "A category name of a catalogue line ends with \":\", which would run into the field after it in "
         "header_data.log when the catalogue is saved\n(line 3 of "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.said.clear();
        writeShopData(c.data);

        EXPECT_FALSE(load());

        ASSERT_EQ(ui.said.size(), 1u);
        EXPECT_EQ(ui.said[0].text, c.message + shopData() + ")");
        // What was read before the bad line stays, and nothing of the bad line.
        ASSERT_NE(state.catalogue.findByPath("A"), nullptr);
        EXPECT_EQ(state.catalogue.productCount(), 2u);
        EXPECT_FALSE(ui.progressWindow.visible);

        // Read from memory, the line is named as one of shop.data.
        EXPECT_FALSE(LoadCatalogueBytes(state, ui, c.data, ""));
        ASSERT_EQ(ui.said.size(), 2u);
        EXPECT_EQ(ui.said[1].text, c.message + "shop.data)");
        EXPECT_EQ(state.catalogue.productCount(), 2u);
    }
}

TEST_F(CatalogueFileTest, CategoryDetailsAndCategoriesWithoutProductsComeFromTheHeaderFile)
{
    writeShopData("0::Books|Fiction|Dune::\r\n1::Toys|Kite::\r\n");
    std::ofstream(headerLog(), std::ios::binary)
        << "0::Books::About books::::b.jpg::b.htm\r\n"
           "1::Books|Fiction::Stories::::::\r\n"
           "2::Books|Empty::kept::::x.jpg::\r\n"
           "3::Toys::too::few\r\n"
           "4::::no path::::::\r\n"
           // Paths a save would not write back the same.
           "5::|::only empty names::::::\r\n"
           "6::||::only empty names::::::\r\n"
           "7::Books|Odd:|Thing::a name ending with a colon::::::\r\n";

    ASSERT_TRUE(load());

    const TNewCategory* books = state.catalogue.findByPath("Books");
    EXPECT_EQ(books->detail("Description"), "About books");
    EXPECT_EQ(books->detail("Picture"), "b.jpg");
    EXPECT_EQ(books->detail("Template"), "b.htm");
    EXPECT_EQ(state.catalogue.findByPath("Books|Fiction")->detail("Description"), "Stories");
    EXPECT_EQ(state.catalogue.findByPath("Toys")->detail("Description"), "");
    const TNewCategory* empty = state.catalogue.findByPath("Books|Empty");
    ASSERT_NE(empty, nullptr) << "a category that has no products yet";
    EXPECT_EQ(empty->detail("Picture"), "x.jpg");
    EXPECT_EQ(state.catalogue.categoryCount(), 4u);
}

TEST_F(CatalogueFileTest, LoadingShowsItsProgressToTheEnd)
{
    const std::string data = "0::A|a::\r\n1::A|b::\r\n\r\n2::A|c::";
    writeShopData(data);

    ASSERT_TRUE(load());

    EXPECT_EQ(ui.progressWindow.labels.back(), "Loading catalogue data...");
    EXPECT_EQ(ui.progressWindow.maximum, static_cast<long long>(data.size()));
    EXPECT_EQ(ui.progressWindow.position, static_cast<long long>(data.size()));
    EXPECT_EQ(ui.progressWindow.shows, 1);
    EXPECT_FALSE(ui.progressWindow.visible);
}

} // namespace
} // namespace qs
