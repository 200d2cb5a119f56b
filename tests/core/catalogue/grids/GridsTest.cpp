#include "ScriptedUserInterface.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueChanges.h"
#include "core/catalogue/grids/CategoryGrid.h"
#include "core/catalogue/grids/ProductGrid.h"
#include "core/catalogue/history/UndoHistory.h"
#include "core/fields/FieldDefinitions.h"
#include "core/text/NameValueList.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

class GridsTest : public ::testing::Test {
protected:
    GridsTest()
    {
        fruit.setDetail("Default Price", "9.99");
        apple.trySetField(FieldNames::intern("Product Name"), "Apple");
    }

    int column(std::string_view field) const
    {
        for (int c = 1; c < products.columnCount(); ++c)
            if (products.field(c) == field)
                return c;
        return -1;
    }

    FieldDefinitions definitions;
    Catalogue catalogue;
    UndoHistory history{catalogue};
    CatalogueChanges changes{catalogue, history};
    TNewCategory& fruit = catalogue.addCategory(catalogue.root(), "Fruit");
    TNewProduct& apple = catalogue.createProduct(fruit);
    CategoryGrid categories{definitions};
    ProductGrid products{definitions};
};

TEST_F(GridsTest, CategoryRowsKindsAndCells)
{
    EXPECT_EQ(categories.rowCount(), 16);
    const std::pair<int, std::string> labels[] = {
        {0, "Category: "},      {1, "Category Name"},    {4, "Template"},      {5, "Default Weight"},
        {8, "Default Picture"}, {11, "Default Options"}, {12, "Default Type"}, {15, "Default Custom Field 3"},
    };
    for (const auto& [row, label] : labels)
        EXPECT_EQ(categories.label(row), label);
    fruit.setDetail("Picture", "f.jpg");
    struct Case {
        int row;
        CellView shown;
        bool editable;
        CategoryGrid::Dialog dialog;
    };
    const Case cases[] = {
        {0, {"Fruit", CellStyle::Heading}, false, CategoryGrid::Dialog::None},
        {1, {"Fruit", CellStyle::Plain}, true, CategoryGrid::Dialog::None},
        {2, {"", CellStyle::Plain}, true, CategoryGrid::Dialog::None},
        {3, {"f.jpg", CellStyle::Special}, false, CategoryGrid::Dialog::Picture},
        {4, {"(None...)", CellStyle::Special}, false, CategoryGrid::Dialog::Template},
        {6, {"9.99", CellStyle::Plain}, true, CategoryGrid::Dialog::None},
        {8, {"(None...)", CellStyle::Special}, false, CategoryGrid::Dialog::Picture},
        {10, {"(None...)", CellStyle::Special}, false, CategoryGrid::Dialog::Template},
        {11, {"(None...)", CellStyle::Special}, false, CategoryGrid::Dialog::Options},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(categories.cell(fruit, 1, c.row), c.shown) << c.row;
        EXPECT_EQ(categories.editable(1, c.row), c.editable) << c.row;
        EXPECT_EQ(categories.dialog(c.row), c.dialog) << c.row;
    }
}

TEST_F(GridsTest, ALongDefaultFieldNameIsATextRowAndNeverFails)
{
    const std::string longName(60, 'L');
    definitions.setLines(
        {"Picture=Special,Optional,\"\",\"\",No,No", longName + "=Special,Optional,\"\",\"\",No,No"});
    categories.fill();
    ASSERT_EQ(categories.rowCount(), 7);
    EXPECT_EQ(categories.label(6), "Default " + longName);
    EXPECT_EQ(categories.kind(6), CategoryGrid::Kind::Text);
    EXPECT_TRUE(categories.store(changes, fruit, 6, "x").kept);
    EXPECT_EQ(categories.cell(fruit, 1, 6).text, "x");
}

TEST_F(GridsTest, CategoryStoresRefusalsAndTheNameThatCannotBeEmptied)
{
    EXPECT_TRUE(categories.store(changes, fruit, 1, "Fresh Fruit").kept);
    EXPECT_EQ(fruit.text(), "Fresh Fruit");
    const CategoryGrid::Stored emptied = categories.store(changes, fruit, 1, "");
    EXPECT_FALSE(emptied.kept);
    EXPECT_TRUE(emptied.refusal.empty());
    EXPECT_EQ(fruit.text(), "Fresh Fruit");
    EXPECT_FALSE(categories.store(changes, fruit, 1, "A|B").refusal.empty());
    EXPECT_FALSE(categories.store(changes, fruit, 2, "a::b").refusal.empty());
    EXPECT_EQ(history.size(), 1u) << "only the rename was made";
}

TEST_F(GridsTest, ProductCellsShowOwnInheritedSeveralMoreAndNone)
{
    TNewProduct& pear = catalogue.createProduct(fruit);
    pear.trySetField(FieldNames::intern("Price"), "2.50");
    pear.trySetField(FieldNames::intern("Type"), "S|M|L");
    pear.trySetField(FieldNames::intern("Options"), "0");
    apple.trySetField(FieldNames::intern("Options"), "0|2");
    fruit.setDetail("Default Picture", "fruit.jpg");
    struct Case {
        TNewProduct* product;
        const char* field;
        CellView shown;
        bool editable;
    };
    const Case cases[] = {
        {&apple, "Price", {"9.99", CellStyle::Inherited}, true},
        {&pear, "Price", {"2.50", CellStyle::Plain}, true},
        {&pear, "Type", {"(Several...)", CellStyle::Several}, false},
        {&apple, "Type", {"", CellStyle::Plain}, true},
        {&pear, "Options", {"(More...)", CellStyle::Special}, false},
        {&apple, "Options", {"(Several...)", CellStyle::Several}, false},
        {&pear, "Picture", {"fruit.jpg", CellStyle::Inherited}, false},
        {&pear, "Product Template", {"(None...)", CellStyle::Special}, false},
        {&apple, "Product Name", {"Apple", CellStyle::Plain}, true},
        // Where the product is, not a value typed and then ignored.
        {&apple, "Category", {"Fruit", CellStyle::Plain}, false},
    };
    for (const Case& c : cases) {
        const int row = static_cast<int>(fruit.indexOfProduct(*c.product)) + 1;
        EXPECT_EQ(products.cell(fruit, column(c.field), row), c.shown) << c.field;
        EXPECT_EQ(products.editable(fruit, column(c.field), row), c.editable) << c.field;
    }
    fruit.setDetail("Default Type", "S|M");
    EXPECT_EQ(products.cell(fruit, column("Type"), 1).text, "(Several...)") << "an inherited list too";
}

TEST_F(GridsTest, PricesAndWeightsTheShopCannotReadAreMarkedAndKept)
{
    struct Case {
        const char* field;
        const char* typed;
        const char* defaultPrice; // the category's
        bool perType;
        const char* noteHolds; // empty: not marked
    };
    const Case cases[] = {
        {"Price", "12.50", "9.99", true, ""},
        {"Price", "12,50", "9.99", true, "Type a plain number such as 12.50,"},
        {"Price", "\xA3" "5", "9.99", true, "\"Price on request\""},
        {"Price", "5 GBP", "9.99", true, "such as 5,"},
        {"Price", "", "9,99", true, "the price \"9,99\""},
        {"Price", "", "", true, ""},
        {"Price", "40.00|45.00", "", true, ""},
        {"Price", "40.00||x", "", true, "the price \"x\""},
        {"Price", "40.00|45.00", "", false, "keeps one price for all of a product's types"},
        {"Weight", "250g", "", true, "weigh nothing in the postage. Type a plain number such as 250,"},
        {"Weight", "1234567890", "", true, "weigh nothing"},
        {"Description", "12,50", "", true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed + (c.perType ? " per type" : ""));
        FieldDefinitions fields;
        fields.setLines({std::string("Product Name=Text,Mandatory,,,Yes,No"),
                         std::string(c.field) + "=Text,Optional,,,No," + (c.perType ? "Yes" : "No")});
        ProductGrid grid{fields};
        fruit.setDetail("Default Price", c.defaultPrice);
        ASSERT_TRUE(grid.store(changes, fruit, 2, 1, c.typed).empty());
        EXPECT_EQ(apple.field(c.field), c.typed) << "stored as typed";
        const std::string note = grid.note(fruit, 2, 1);
        if (std::string_view(c.noteHolds).empty()) {
            EXPECT_EQ(note, "");
        } else {
            EXPECT_NE(note.find(c.noteHolds), std::string::npos) << note;
        }
    }
}

TEST_F(GridsTest, ADefaultPriceOrWeightTheShopCannotReadIsMarkedInTheCategoryGrid)
{
    const auto rowOf = [&](std::string_view label) {
        for (int row = 0; row < categories.rowCount(); ++row)
            if (categories.label(row) == label)
                return row;
        return -1;
    };
    EXPECT_EQ(categories.note(fruit, rowOf("Default Price")), "") << "9.99";
    fruit.setDetail("Default Price", "9,99");
    fruit.setDetail("Default Weight", "1 kg");
    fruit.setDetail("Description", "12,50");
    EXPECT_NE(categories.note(fruit, rowOf("Default Price")).find("such as 9.99"), std::string::npos);
    EXPECT_NE(categories.note(fruit, rowOf("Default Weight")).find("such as 1,"), std::string::npos);
    EXPECT_EQ(categories.note(fruit, rowOf("Description")), "");
    EXPECT_EQ(categories.note(fruit, 0), "");
    EXPECT_EQ(categories.note(fruit, 500), "");
}

TEST_F(GridsTest, ColumnsFollowCustomMaxWithinRange)
{
    struct Case {
        const char* setting;
        int columns;
    };
    const Case cases[] = {{"", 12}, {"3", 15}, {"abc", 12}, {"-20", 12}, {"2000000000", 22}};
    for (const Case& c : cases) {
        NameValueList settings;
        settings.setValue("CustomMax", c.setting);
        products.applyCustomMax(settings);
        EXPECT_EQ(products.columnCount(), c.columns) << c.setting;
    }
    // Past the last definition: blank, never edited, never stored.
    EXPECT_EQ(products.heading(20).text, "");
    EXPECT_EQ(products.cell(fruit, 20, 1).text, "");
    EXPECT_FALSE(products.editable(fruit, 20, 1));
    EXPECT_TRUE(products.store(changes, fruit, 20, 1, "x").empty());
    EXPECT_EQ(history.size(), 0u);
}

TEST_F(GridsTest, ProductStoresGoThroughTheChecks)
{
    TNewProduct& pear = catalogue.createProduct(fruit);
    const int name = column("Product Name");
    EXPECT_EQ(products.store(changes, fruit, name, 2, "Apple"), TNewProduct::duplicateNameMessage("Apple"));
    EXPECT_TRUE(products.store(changes, fruit, name, 2, "").empty());
    EXPECT_EQ(pear.name(), "New Product 1");
    EXPECT_FALSE(products.store(changes, fruit, column("Description"), 2, "a::b").empty());
    EXPECT_TRUE(products.store(changes, fruit, column("Price"), 1, "9.99").empty());
    EXPECT_EQ(apple.field("Price"), "9.99") << "the inherited value became its own";
    EXPECT_TRUE(products.store(changes, fruit, column("Price"), 3, "1").empty()) << "the empty row";
    EXPECT_EQ(history.size(), 1u);
}

TEST_F(GridsTest, PassingThroughANameCellThatKeepsItsNameIsNeverRefused)
{
    // Two products of one name, as an older catalogue may hold them: a move
    // of the catalogue itself checks no names.
    TNewCategory& veg = catalogue.addCategory(catalogue.root(), "Veg");
    catalogue.createProduct(veg).trySetField(FieldNames::ProductName, "Apple");
    catalogue.moveProduct(*veg.products().front(), fruit);
    for (const int row : {1, 2})
        EXPECT_EQ(products.store(changes, fruit, column("Product Name"), row, "Apple"), "") << row;
    EXPECT_EQ(history.size(), 0u);
}

} // namespace
} // namespace qs
