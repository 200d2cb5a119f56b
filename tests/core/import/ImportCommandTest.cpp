#include "core/import/ImportCommand.h"

#include "ImportTestSupport.h"
#include "ScriptedUserInterface.h"
#include "core/app/AppState.h"
#include "core/catalogue/CatalogueFile.h"
#include "TempFolder.h"
#include "core/import/ColumnCheck.h"
#include "core/import/ETableValidate.h"
#include "core/import/ImportSheet.h"
#include "core/import/ImportedPictures.h"
#include "core/import/RejectLog.h"
#include "core/text/AtomicFileSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace qs {
namespace {

// Optional fields only, so that no column check asks anything.
const std::vector<std::string> plainFields = {
    "Product Name=Text,Optional,\"\",\"\",Yes,No", "Price=Decimal,Optional,\"\",\"\",No,No",
    "Description=Text,Optional,\"\",\"\",No,No",   "Category=Text,Optional,\"\",\"\",No,No",
    "Weight=Decimal,Optional,\"\",\"\",No,No",
};

class ImportCommandTest : public ::testing::Test {
protected:
    ImportCommandTest() { state.InfoList.setLines(plainFields); }

    // A comma-separated table with its columns assigned to the fields named.
    ImportSheet sheet(std::string csv, const std::vector<std::string>& columns) const
    {
        ImportSheet result(std::make_shared<ImportTable>(std::move(csv), ','), state.InfoList.count());
        for (std::size_t c = 0; c < columns.size(); ++c)
            if (!columns[c].empty())
                result.assignments().assign(
                    c, static_cast<std::size_t>(state.InfoList.FieldIndex(columns[c])), AssignMode::Add);
        return result;
    }

    // Every product as path|name, then its price and description when it has
    // them; sorted, and in their order within a category.
    std::vector<std::string> products() const
    {
        std::vector<std::string> lines;
        std::vector<const TNewCategory*> pending{&state.catalogue.root()};
        while (!pending.empty()) {
            const TNewCategory* node = pending.back();
            pending.pop_back();
            for (const auto& product : node->products()) {
                std::string line = node->path() + "|" + std::string(product->name());
                for (const char* field : {"Price", "Description"})
                    if (!product->field(field).empty())
                        line += " " + std::string(field) + "=" + std::string(product->field(field));
                lines.push_back(line);
            }
            for (auto it = node->children().rbegin(); it != node->children().rend(); ++it)
                pending.push_back(it->get());
        }
        std::stable_sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
            return a.substr(0, a.rfind('|')) < b.substr(0, b.rfind('|'));
        });
        return lines;
    }

    std::string saved() const
    {
        AtomicFileSet files;
        writeProductFile(state.catalogue, files.add(folder.file("shop.data")));
        writeCategoryFile(state.catalogue, files.add(folder.file("header_data.log")));
        files.commit();
        return folder.read("shop.data") + "\n--\n" + folder.read("header_data.log");
    }

    ImportCommand::Outcome add(ImportSheet& table, TNewCategory* selected = nullptr)
    {
        return command.addToCatalogue(table, selected ? *selected : state.catalogue.root(), tablePath());
    }

    std::string tablePath() const { return folder.file("stock.csv"); }

    test::TempFolder folder;
    AppState state{folder.path().string()};
    test::ScriptedUserInterface ui;
    test::ScriptedImportQuestions questions;
    ImportCommand command{state, ui, questions};
};

struct MergeCase {
    const char* what;
    std::string csv;
    std::vector<std::string> columns;
    std::string rowTypes; // P, C or S for each row; product rows when shorter
    const char* selected; // a path, or the whole catalogue when empty
    std::vector<std::string> products;
};

TEST_F(ImportCommandTest, MergesRowsIntoTheCategoriesTheyName)
{
    const std::vector<std::string> nameAndPrice = {"Product Name", "Price"};
    const std::vector<std::string> withCategory = {"Product Name", "Price", "Category"};
    const MergeCase cases[] = {
        {"a category column",
         "Kite,1.00,Toys\nBall,2,Toys",
         withCategory,
         "",
         "",
         {"Toys|Kite Price=1.00", "Toys|Ball Price=2"}},
        {"two category columns",
         "Kite,1,Toys,Cars",
         {"Product Name", "Price", "Category", "Category"},
         "",
         "",
         {"Toys|Cars|Kite Price=1"}},
        {"a category cell holding a path, blank names passed over",
         "Kite,1,Garden||Tools|",
         withCategory,
         "",
         "",
         {"Garden|Tools|Kite Price=1"}},
        {"no category: Base Category, then a category row",
         "Kite,1\n,,Garden\nBall,2",
         nameAndPrice,
         "PCP",
         "",
         {"Base Category|Kite Price=1", "Garden|Ball Price=2"}},
        {"a blank category cell keeps the current category",
         "Kite,1,",
         withCategory,
         "",
         "Toys",
         {"Toys|Kite Price=1"}},
        {"a selected sub-category takes the products itself",
         "Kite,1",
         nameAndPrice,
         "",
         "Toys|Cars",
         {"Toys|Cars|Kite Price=1"}},
        {"named categories go under the selected one",
         "Kite,1,Vans\nBall,2,Toys|Boats\nBat,3,Cars",
         withCategory,
         "",
         "Toys|Cars",
         {"Toys|Boats|Ball Price=2", "Toys|Cars|Bat Price=3", "Toys|Cars|Vans|Kite Price=1"}},
        {"several columns of one field",
         "Red,Kite,Light,Strong",
         {"Product Name", "Product Name", "Description", "Description"},
         "",
         "Toys",
         {"Toys|Red Kite Description=Light|Strong"}},
        {"prices reduced where they are one plain number",
         "a,\xA3"
         "12.50\nb,free\nc,\"\xA3"
         "1,250.00\"\nd,\"12,50\"\ne,-5.00\nf,(12.50)",
         nameAndPrice,
         "",
         "Toys",
         {"Toys|a Price=12.50", "Toys|b Price=free", "Toys|c Price=1250.00", "Toys|d Price=12,50",
          "Toys|e Price=-5.00", "Toys|f Price=(12.50)"}},
        {"empty rows and suppressed rows give nothing",
         "Kite,1\n,\nBall,2",
         nameAndPrice,
         "PPS",
         "Toys",
         {"Toys|Kite Price=1"}},
        {"category names made only of blanks are passed over",
         "Kite,1,Toys|  |Cars\nBall,2, \nBat,3,\t",
         withCategory,
         "",
         "",
         {"Base Category|Ball Price=2", "Base Category|Bat Price=3", "Toys|Cars|Kite Price=1"}},
        {"a category row takes its last non-empty cell",
         "Sale,,Garden\nRake,5",
         nameAndPrice,
         "CP",
         "",
         {"Garden|Rake Price=5"}},
        {"a category row's blank cells are passed over",
         "Kite,1\n,Garden,  \nBall,2",
         nameAndPrice,
         "PCP",
         "",
         {"Base Category|Kite Price=1", "Garden|Ball Price=2"}},
        {"a counter-made name passes over the names the table gives",
         "New Product 2,1\nKite,2\nKite,3",
         nameAndPrice,
         "",
         "Toys",
         {"Toys|New Product 2 Price=1", "Toys|Kite Price=2", "Toys|New Product 3 Price=3"}},
        {"a blank name keeps the counter-made one",
         ",1\n,2",
         nameAndPrice,
         "",
         "Toys",
         {"Toys|New Product 0 Price=1", "Toys|New Product 1 Price=2"}},
        {"a multi-line description",
         "Kite,\"High\r\nand far\"",
         {"Product Name", "Description"},
         "",
         "Toys",
         {"Toys|Kite Description=High<br>and far"}},
    };
    command.answerEveryEmptyCell(EmptyCellAnswer::LeaveBlank);
    for (const auto& c : cases) {
        state.catalogue.clear();
        state.history.clear();
        TNewCategory& toys = state.catalogue.addCategory(state.catalogue.root(), "Toys");
        state.catalogue.addCategory(toys, "Cars");
        ImportSheet table = sheet(c.csv, c.columns);
        for (std::size_t r = 0; r < c.rowTypes.size(); ++r)
            table.setRowType(r, c.rowTypes[r] == 'C'   ? RowType::Category
                                : c.rowTypes[r] == 'S' ? RowType::Suppress
                                                       : RowType::Product);
        TNewCategory* selected = *c.selected ? state.catalogue.findByPath(c.selected) : nullptr;
        ASSERT_EQ(add(table, selected), ImportCommand::Outcome::Merged) << c.what;
        EXPECT_EQ(products(), c.products) << c.what;
    }
}

TEST_F(ImportCommandTest, TellsRenamedProductsOnceAndLogsRowsItCouldNotAdd)
{
    command.answerEveryEmptyCell(EmptyCellAnswer::LeaveBlank);
    TNewCategory& toys = state.catalogue.addCategory(state.catalogue.root(), "Toys");
    ImportSheet table = sheet("Kite,1\nKite,2\nBad::name,3\nBall,\"12,50\"\nNice,4,Odd::one",
                              {"Product Name", "Price", "Description"});
    ASSERT_EQ(add(table, &toys), ImportCommand::Outcome::Merged);
    EXPECT_EQ(products(), (std::vector<std::string>{"Toys|Kite Price=1", "Toys|New Product 1 Price=2",
                                                    "Toys|Ball Price=12,50"}));
    EXPECT_EQ(command.productsAdded(), 3u);
    ASSERT_EQ(ui.said.size(), 2u);
    EXPECT_NE(ui.said[0].text.find("Toys, ID 1: Kite is now New Product 1"), std::string::npos)
        << ui.said[0].text;
    const std::string log = folder.read("stock.import.log");
    EXPECT_EQ(log,
              "Row 3 was not added: the \"Product Name\" value: A value cannot contain \"::\", which "
              "separates the fields of the catalogue file.\r\n"
              "Row 4, column 2: the price \"12,50\" is not one plain number and was kept as it stands.\r\n"
              "Row 5 was not added: the \"Description\" value: A value cannot contain \"::\", which "
              "separates the fields of the catalogue file.\r\n");
    EXPECT_NE(ui.said[1].text.find("2 rows were not added and 1 price was kept unchanged. The list is in " +
                                   RejectLog::fileName(tablePath())),
              std::string::npos)
        << ui.said[1].text;
}

TEST_F(ImportCommandTest, ARowRefusedForItsCategoryLeavesNothingBehind)
{
    struct Case {
        const char* what;
        std::string csv;
        std::vector<std::string> columns;
        std::string rowTypes;
    };
    const Case cases[] = {
        {"a category column", "Kite,1,NewTop|Bad::Cat", {"Product Name", "Price", "Category"}, ""},
        {"a category row", ",NewTop|Bad::Cat\nKite,1", {"Product Name", "Price"}, "CP"},
        {"under a category there already",
         "Kite,1,Toys|NewSub|Bad::Cat",
         {"Product Name", "Price", "Category"},
         ""},
    };
    command.answerEveryEmptyCell(EmptyCellAnswer::LeaveBlank);
    state.catalogue.addCategory(state.catalogue.root(), "Toys");
    const std::string before = saved();
    for (const auto& c : cases) {
        ImportSheet table = sheet(c.csv, c.columns);
        for (std::size_t r = 0; r < c.rowTypes.size(); ++r)
            table.setRowType(r, c.rowTypes[r] == 'C' ? RowType::Category : RowType::Product);
        ASSERT_EQ(add(table), ImportCommand::Outcome::Merged) << c.what;
        EXPECT_EQ(saved(), before) << c.what;
        EXPECT_EQ(state.catalogue.categoryCount(), 1u) << c.what;
        EXPECT_FALSE(state.history.canUndo()) << c.what;
        EXPECT_NE(folder.read("stock.import.log").find("was not added: the category \"Bad::Cat\""),
                  std::string::npos)
            << c.what;
    }
}

TEST_F(ImportCommandTest, TheRejectLogIsUtf8AndACleanImportTakesTheOldOneAway)
{
    command.answerEveryEmptyCell(EmptyCellAnswer::LeaveBlank);
    TNewCategory& toys = state.catalogue.addCategory(state.catalogue.root(), "Toys");
    ImportSheet questionable = sheet("Cr\xE8me,(\xA3"
                                     "5)",
                                     {"Product Name", "Price"});
    ASSERT_EQ(add(questionable, &toys), ImportCommand::Outcome::Merged);
    EXPECT_EQ(folder.read("stock.import.log"), "Row 1, column 2: the price \"(\xC2\xA3"
                                               "5)\" is not one plain number and was kept as it stands.\r\n");

    ImportSheet clean = sheet("Kite,1", {"Product Name", "Price"});
    ASSERT_EQ(add(clean, &toys), ImportCommand::Outcome::Merged);
    EXPECT_FALSE(std::filesystem::exists(folder.file("stock.import.log")));
    EXPECT_EQ(ui.said.size(), 1u) << "only the first import had anything to tell";
}

// A picture's name that the catalogue (Windows-1252) and the web server (the
// bytes of the name on disk) would read differently is stored under the name
// the picker gives it, and a picture of the table's name in the image folder
// is copied to that name, so that the export finds it.
TEST_F(ImportCommandTest, PicturesGetTheNamesTheImageFolderGivesThem)
{
    std::vector<std::string> fields = plainFields;
    fields.push_back("Picture=Special,Optional,\"\",\"\",No,No");
    state.InfoList.setLines(fields);
    state.LocImg = folder.file("images");
    std::filesystem::create_directory(state.LocImg);
    folder.write("images/caf\xC3\xA9.png", "cafe picture");
    folder.write("images/p\xC3\xAF\x63.jpg", "pic picture");
    folder.write("images/pic.jpg", "another picture");
    ImportSheet table =
        sheet("Kite,caf\xC3\xA9.png\nBall,plain.jpg\nTop,caf\xC3\xA9.png\nYo-yo,p\xC3\xAF\x63.jpg\n"
              "Bat,m\xC3\xBCnze.gif",
              {"Product Name", "Picture"});

    TNewCategory& toys = state.catalogue.addCategory(state.catalogue.root(), "Toys");
    command.check(table, toys);
    ASSERT_EQ(ui.said.size(), 1u);
    EXPECT_NE(ui.said[0].text.find("- store 3 pictures under names the web server finds them by"),
              std::string::npos)
        << ui.said[0].text;
    EXPECT_FALSE(std::filesystem::exists(folder.file("images/cafe.png")));
    ui.said.clear();

    ASSERT_EQ(add(table, &toys), ImportCommand::Outcome::Merged);
    std::vector<std::string> pictures;
    for (const auto& product : toys.products())
        pictures.emplace_back(product->field("Picture"));
    EXPECT_EQ(pictures,
              (std::vector<std::string>{"cafe.png", "plain.jpg", "cafe.png", "pic.jpg", "munze.gif"}));
    EXPECT_EQ(folder.read("images/cafe.png"), "cafe picture");
    EXPECT_EQ(folder.read("images/pic.jpg"), "another picture"); // a file of the new name stays
    EXPECT_FALSE(std::filesystem::exists(folder.file("images/munze.gif")));
    ASSERT_EQ(ui.said.size(), 1u);
    EXPECT_EQ(ui.said[0].text, std::string(ImportedPictures::renamedHeading) +
                                   "\r\ncaf\xE9.png is now cafe.png\r\nm\xFCnze.gif is now munze.gif"
                                   "\r\np\xEF\x63.jpg is now pic.jpg");
}

TEST_F(ImportCommandTest, IsOneStepOfTheHistoryThatUndoesToTheSameBytes)
{
    state.catalogue.createProduct(state.catalogue.addCategory(state.catalogue.root(), "Toys"));
    const std::string before = saved();
    ImportSheet table = sheet("Kite,1,Toys\nBall,2,Garden", {"Product Name", "Price", "Category"});
    ASSERT_EQ(add(table), ImportCommand::Outcome::Merged);
    const std::string after = saved();
    EXPECT_EQ(state.history.size(), 1u);
    EXPECT_EQ(state.history.undoLabel(), "Import");
    EXPECT_TRUE(state.CatalogueModified());
    state.history.undo();
    EXPECT_EQ(saved(), before);
    EXPECT_FALSE(state.CatalogueModified());
    state.history.redo();
    EXPECT_EQ(saved(), after);
}

TEST_F(ImportCommandTest, ACancelOrAFailureLeavesTheCatalogueAsItWas)
{
    state.catalogue.createProduct(state.catalogue.addCategory(state.catalogue.root(), "Toys"));
    const std::string before = saved();
    ImportSheet table = sheet("Kite,1,Toys\nBall,2,Garden\nBat,3,Garden\nCup,4,Kitchen",
                              {"Product Name", "Price", "Category"});

    ui.progressWindow.cancelAtStep = 3;
    EXPECT_EQ(add(table), ImportCommand::Outcome::Cancelled);
    EXPECT_TRUE(ui.progressWindow.cancelOffered == false && !ui.progressWindow.visible);
    EXPECT_EQ(saved(), before);

    ui.progressWindow = {};
    ui.progressWindow.failAtStep = 2;
    EXPECT_EQ(add(table), ImportCommand::Outcome::Failed);
    EXPECT_EQ(saved(), before);
    EXPECT_EQ(ui.texts().back(), "The import stopped and nothing has been added:\r\nOut of memory");
    EXPECT_FALSE(state.history.canUndo());
    EXPECT_FALSE(state.CatalogueModified());
}

TEST_F(ImportCommandTest, EmptyCellsAreSettledWithTheMerchantBeforeAnythingIsAdded)
{
    const auto reply = [](EmptyCellAnswer answer, bool remember) {
        return EmptyCellReply{false, answer, remember};
    };
    // Price column: rows 2 and 4 empty; Category columns: the second empty in row 3.
    ImportSheet table = sheet("a,1,Toys,Cars\nb,,Toys,Vans\nc,3,Toys,\nd,,Toys,Cars",
                              {"Product Name", "Price", "Category", "Category"});
    questions.cellAnswers = {reply(EmptyCellAnswer::FillFromPrevious, false),
                             reply(EmptyCellAnswer::LeaveBlank, true),
                             reply(EmptyCellAnswer::IgnoreRow, true)};
    ASSERT_EQ(add(table), ImportCommand::Outcome::Merged);
    EXPECT_EQ(questions.cellsAsked,
              (std::vector<CellPosition>{{1, 1}, {2, 3}, {3, 1}})); // the first answer was not remembered
    EXPECT_EQ(table.cell(1, 1), "1");
    EXPECT_EQ(table.rowType(3), RowType::Suppress);
    // A blank second category cell is left blank: the product goes into the first.
    EXPECT_EQ(products(),
              (std::vector<std::string>{"Toys|c Price=3", "Toys|Cars|a Price=1", "Toys|Vans|b Price=1"}));
}

TEST_F(ImportCommandTest, AnAnswerForEveryCellSettlesEachRowAsItIsMergedWithTheSameResult)
{
    const std::string csv = "a,1,Toys\nb,,\nc,3,\n,4,Garden\nd,,";
    const std::vector<std::string> columns = {"Product Name", "Price", "Category"};
    for (const EmptyCellAnswer answer : {EmptyCellAnswer::FillFromPrevious, EmptyCellAnswer::IgnoreRow}) {
        state.catalogue.clear();
        ImportSheet asked = sheet(csv, columns);
        questions.cellAnswers.assign(3, EmptyCellReply{false, answer, true});
        ASSERT_EQ(add(asked), ImportCommand::Outcome::Merged);
        const std::vector<std::string> afterQuestions = products();

        state.catalogue.clear();
        ImportSheet preset = sheet(csv, columns);
        ImportCommand presetCommand(state, ui, questions);
        presetCommand.answerEveryEmptyCell(answer);
        ASSERT_EQ(presetCommand.addToCatalogue(preset, state.catalogue.root(), tablePath()),
                  ImportCommand::Outcome::Merged);
        EXPECT_EQ(products(), afterQuestions);
        EXPECT_EQ(preset.rowsOfType(RowType::Suppress), asked.rowsOfType(RowType::Suppress));
    }
}

TEST_F(ImportCommandTest, ACancelledEmptyCellStopsBeforeAnythingIsAdded)
{
    ImportSheet table = sheet("a,1\nb,\nc,", {"Product Name", "Price"});
    questions.cellAnswers = {EmptyCellReply{false, EmptyCellAnswer::IgnoreRow, false}, EmptyCellReply{true}};
    EXPECT_EQ(add(table), ImportCommand::Outcome::Stopped);
    EXPECT_EQ(state.catalogue.productCount(), 0u);
    EXPECT_EQ(table.rowType(1), RowType::Suppress); // settled before the cancel
    EXPECT_FALSE(state.history.canUndo());
}

TEST_F(ImportCommandTest, FieldsWithoutAColumnAreAskedAbout)
{
    state.InfoList =
        FieldDefinitions(); // Product Name, Weight, Price mandatory; Description, Tax Code recommended
    const auto answer = [](MissingFieldChoice choice, bool ignore = false) {
        return MissingFieldAnswer{true, choice, ignore};
    };
    ImportSheet table = sheet("Kite,0.5", {"Product Name", "Weight"});
    questions.fieldAnswers = {answer(MissingFieldChoice::Default),
                              answer(MissingFieldChoice::LeaveBlank, true)};
    ASSERT_EQ(add(table), ImportCommand::Outcome::Merged);
    ASSERT_EQ(questions.fieldsAsked.size(), 2u); // Tax Code passed over once recommended fields are ignored
    EXPECT_EQ(questions.fieldsAsked[0].name, "Price");
    EXPECT_EQ(questions.fieldsAsked[0].text(),
              "You have not defined a column for the 'Price' field. This field is set to 'Mandatory' for the "
              "following reason:-\n\nPrice must be specified for each product, with free products having a "
              "price of zero.");
    EXPECT_EQ(questions.fieldsAsked[0].initialChoice(), MissingFieldChoice::Default);
    EXPECT_FALSE(questions.fieldsAsked[0].ignoreRecommendedAllowed());
    EXPECT_TRUE(questions.fieldsAsked[1].ignoreRecommendedAllowed());

    // Going back ends the check with the kind of field that had no column.
    questions.fieldAnswers = {answer(MissingFieldChoice::Default), answer(MissingFieldChoice::Return)};
    EXPECT_THROW(checkColumns(state.InfoList, table.assignments(), questions), EMissingRecommendedField);

    ImportSheet unnamed = sheet("Kite,0.5", {"", "Weight"});
    questions.fieldsAsked.clear();
    questions.fieldAnswers = {answer(MissingFieldChoice::Return)};
    EXPECT_EQ(add(unnamed), ImportCommand::Outcome::Stopped);
    questions.fieldAnswers = {answer(MissingFieldChoice::Return)};
    EXPECT_THROW(checkColumns(state.InfoList, unnamed.assignments(), questions), EMissingMandatoryField);
    EXPECT_EQ(questions.fieldsAsked[0].name, "Product Name");
    EXPECT_EQ(questions.fieldsAsked[0].initialChoice(), MissingFieldChoice::Return); // a unique field
    EXPECT_FALSE(questions.fieldsAsked[0].defaultAllowed());
    questions.fieldAnswers = {MissingFieldAnswer{false}};
    EXPECT_EQ(add(unnamed), ImportCommand::Outcome::Stopped);
    EXPECT_EQ(state.catalogue.productCount(), 1u);
}

TEST_F(ImportCommandTest, CheckTellsWhatTheMergeWouldDoAndChangesNothing)
{
    TNewCategory& toys = state.catalogue.addCategory(state.catalogue.root(), "Toys");
    state.catalogue.createProduct(toys);
    const std::string before = saved();
    const std::int64_t nextID = state.catalogue.NextProductID;
    ImportSheet table = sheet("Kite,1,Toys\nNew Product 0,2,Toys\nBall,,Garden|Outdoor\nSkip,4,Toys",
                              {"Product Name", "Price", "Category"});
    table.setRowType(3, RowType::Suppress);
    questions.cellAnswers = {EmptyCellReply{false, EmptyCellAnswer::FillFromPrevious, true}};
    command.check(table, state.catalogue.root());
    EXPECT_EQ(saved(), before);
    EXPECT_EQ(state.catalogue.NextProductID, nextID);
    EXPECT_FALSE(state.history.canUndo());
    EXPECT_EQ(table.cell(2, 1), ""); // the answers went to a copy
    ASSERT_EQ(ui.said.size(), 1u);
    const std::string& report = ui.said[0].text;
    for (const char* part :
         {"- create 2 categories", "- add 3 products", "- pass over 1 row marked \"Suppress\"",
          "- give 1 product a counter-made name", "Toys, ID ", ": New Product 0 is now New Product 2",
          "The catalogue has not been changed."})
        EXPECT_NE(report.find(part), std::string::npos) << part << "\n" << report;
    EXPECT_EQ(report.find("not add"), std::string::npos) << report;

    // Nothing to rename: no line about it.
    ui.said.clear();
    command.check(sheet("Unique,1,Toys", {"Product Name", "Price", "Category"}), state.catalogue.root());
    ASSERT_EQ(ui.said.size(), 1u);
    EXPECT_EQ(ui.said[0].text.find("counter-made"), std::string::npos) << ui.said[0].text;
    EXPECT_NE(ui.said[0].text.find("- add 1 product\r\n"), std::string::npos) << ui.said[0].text;
}

TEST_F(ImportCommandTest, ClosingAfterAMergeRemembersTheAssignments)
{
    const ImportSheet table = sheet("Kite,1", {"Product Name", "Price"});
    ui.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(command.closeAfterMerge(table, tablePath()));
    EXPECT_FALSE(std::filesystem::exists(folder.file("stock.sff")));
    EXPECT_TRUE(command.closeAfterMerge(table, tablePath()));
    EXPECT_EQ(folder.read("stock.sff"), "\tProduct Name\tPrice\r\n");
    EXPECT_EQ(ui.said[0].text, "Close Import Window?");

    // A folder that cannot take the file: told, and the window still closes.
    ui.answers = {Answer::Yes};
    EXPECT_TRUE(command.closeAfterMerge(table, folder.file("missing/stock.csv")));
    EXPECT_EQ(ui.said.back().kind, MessageKind::Error);
}

} // namespace
} // namespace qs
