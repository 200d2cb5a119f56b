#include "core/catalogue/ProductInspector.h"
#include "ScriptedUserInterface.h"
#include "core/catalogue/Catalogue.h"
#include "core/fields/FieldDefinitions.h"

#include <gtest/gtest.h>

#include <functional>

namespace qs {
namespace {

using Changes = ProductInspector::FieldChanges;

class ProductInspectorTest : public ::testing::Test {
protected:
    ProductInspectorTest()
    {
        // The built-in list plus a per-type field that is typed in place.
        std::vector<std::string> lines = FieldDefinitions::builtInLines();
        // Prices and weights held once, as in a shop made before types had their own.
        for (std::string& line : lines)
            if (line.starts_with("Weight=") || line.starts_with("Price="))
                line.replace(line.size() - 3, 3, "No");
        lines.push_back("Stock=Text,Optional,\"d\",\"w\",No,Yes");
        definitions.setLines(lines);
    }

    TNewProduct& product(std::initializer_list<std::pair<const char*, const char*>> fields)
    {
        TNewProduct& created = catalogue.createProduct(shirts);
        for (const auto& [name, value] : fields)
            created.setField(name, value, ui);
        return created;
    }

    static std::vector<std::string> row(const ProductInspector& inspector, std::size_t r)
    {
        std::vector<std::string> cells;
        for (std::size_t type = 0; type < inspector.typeCount(); ++type)
            cells.push_back(inspector.cell(r, type));
        return cells;
    }

    FieldDefinitions definitions;
    Catalogue catalogue;
    TNewCategory& shirts = catalogue.addCategory(catalogue.root(), "Shirts");
    test::ScriptedUserInterface ui;
};

TEST_F(ProductInspectorTest, OneColumnPerTypeAndOneRowPerExtensibleFieldButOptions)
{
    shirts.setDetail("Default Stock", "1|2");
    const TNewProduct& shirt = product({{"Product Name", "Tee"}, {"Type", "S|M|L"}, {"Options", "1|2"}});
    const ProductInspector inspector(definitions, shirt);
    EXPECT_EQ(inspector.caption(), "Tee");
    ASSERT_EQ(inspector.rowCount(), 2u);
    EXPECT_EQ(inspector.rowName(0), "Type");
    EXPECT_EQ(inspector.rowName(1), "Stock");
    EXPECT_EQ(row(inspector, 0), (std::vector<std::string>{"S", "M", "L"}));
    EXPECT_EQ(row(inspector, 1), (std::vector<std::string>{"1", "2", ""}));

    const ProductInspector plain(definitions, product({}));
    EXPECT_EQ(plain.typeCount(), 1u);
    EXPECT_EQ(row(plain, 0), std::vector<std::string>{""});
}

TEST_F(ProductInspectorTest, ANewShopsPricesAndWeightsArePerTypeAndUnreadableOnesAreMarked)
{
    const FieldDefinitions builtIn;
    const TNewProduct& shirt = product({{"Product Name", "Tee"}, {"Type", "S|M"}, {"Price", "12,50|14.00"}});
    const ProductInspector inspector(builtIn, shirt);
    ASSERT_EQ(inspector.rowCount(), 3u);
    EXPECT_EQ(inspector.rowName(0), "Weight");
    EXPECT_EQ(inspector.rowName(1), "Price");
    EXPECT_EQ(row(inspector, 1), (std::vector<std::string>{"12,50", "14.00"}));
    EXPECT_NE(inspector.cellNote(1, 0).find("such as 12.50"), std::string::npos) << inspector.cellNote(1, 0);
    EXPECT_EQ(inspector.cellNote(1, 1), "");
    EXPECT_EQ(inspector.cellNote(0, 0), "") << "no weight is no fault";
    EXPECT_EQ(inspector.cellNote(2, 0), "") << "a type's name is no number";
}

// Each case acts on the product's inspector and says what OK gives back.
TEST_F(ProductInspectorTest, OkGivesBackOnlyTheRowsThatChanged)
{
    struct Case {
        const char* what;
        const char* type;
        const char* stock;
        std::function<void(ProductInspector&)> act;
        Changes changes;
    };
    const auto cell = [](std::size_t r, std::size_t t, const char* text) {
        return [=](ProductInspector& i) { i.setCell(r, t, text); };
    };
    const Case cases[] = {
        {"untouched", "S|M|L", "1|2", [](ProductInspector&) {}, {}},
        {"untouched keeps hidden pieces", "S|M", "1|2|3|4", [](ProductInspector&) {}, {}},
        {"a cell", "S|M|L", "1|2", cell(1, 2, "7"), {{"Stock", "1|2|7"}}},
        {"a cell keeps hidden pieces", "S|M", "1|2|3|4", cell(1, 0, "9"), {{"Stock", "9|2|3|4"}}},
        {"typed back as it was",
         "S|M",
         "1|2",
         [](ProductInspector& i) { i.setCell(1, 0, "x"), i.setCell(1, 0, "1"); },
         {}},
        {"single values", "", "", cell(1, 0, "5"), {{"Stock", "5"}}},
        {"no values gain none from a type",
         "S|M",
         "",
         [&](ProductInspector& i) { i.newType(ui); },
         {{"Type", "S|M|XL"}}},
        {"a type adds an empty value",
         "S|M",
         "1|2",
         [&](ProductInspector& i) { i.newType(ui); },
         {{"Type", "S|M|XL"}, {"Stock", "1|2|"}}},
        {"a deleted type takes its values",
         "S|M|L",
         "1|2|3",
         [&](ProductInspector& i) { i.deleteType(1, ui); },
         {{"Type", "S|L"}, {"Stock", "1|3"}}},
        {"hidden pieces stay beyond the types",
         "S|M",
         "1|2|3",
         [&](ProductInspector& i) { i.deleteType(0, ui), i.deleteType(0, ui); },
         {{"Type", ""}, {"Stock", "|3"}}},
    };
    for (const Case& c : cases) {
        ui.inputs = {std::string("XL")};
        ui.answers = {Answer::Yes, Answer::Yes};
        const TNewProduct& shirt = product({{"Type", c.type}, {"Stock", c.stock}, {"Options", "0|2"}});
        ProductInspector inspector(definitions, shirt);
        c.act(inspector);
        EXPECT_EQ(inspector.confirm(ui), c.changes) << c.what;
    }
}

TEST_F(ProductInspectorTest, InheritedTypesStayInheritedUntilEdited)
{
    shirts.setDetail("Default Type", "S|M");
    const TNewProduct& shirt = product({});
    ProductInspector inspector(definitions, shirt);
    EXPECT_EQ(row(inspector, 0), (std::vector<std::string>{"S", "M"}));
    EXPECT_EQ(inspector.confirm(ui), Changes{});
    inspector.setCell(0, 1, "XL");
    EXPECT_EQ(inspector.confirm(ui), (Changes{{"Type", "S|XL"}}));
}

TEST_F(ProductInspectorTest, NewTypeAndDeleteTypeAskFirst)
{
    ProductInspector inspector(definitions, product({{"Product Name", "Tee"}, {"Type", "S|M|L"}}));
    ui.inputs = {std::nullopt, std::string(""), std::string("X|L")};
    ui.answers = {Answer::No};
    EXPECT_FALSE(inspector.newType(ui));
    EXPECT_FALSE(inspector.newType(ui));
    EXPECT_FALSE(inspector.newType(ui));
    EXPECT_FALSE(inspector.deleteType(0, ui));
    EXPECT_FALSE(inspector.deleteType(3, ui)); // no such column: nothing is asked
    EXPECT_EQ(inspector.typeCount(), 3u);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"New type for Tee:- / ", "New type for Tee:- / ",
                                                    "New type for Tee:- / ",
                                                    std::string(ProductInspector::separatorRefusal),
                                                    "Are you sure you want to delete this type?"}));
    EXPECT_EQ(inspector.confirm(ui), Changes{});
}

TEST_F(ProductInspectorTest, ValuesTheFileCannotHoldAreRefused)
{
    const std::pair<const char*, std::string> cases[] = {
        {"a|b", std::string(ProductInspector::separatorRefusal)},
        {"a::b", "A value cannot contain \"::\", which separates the fields of the catalogue file."},
        {"a\nb", "A value cannot contain a line break; use \"<br>\" instead."},
    };
    for (const auto& [text, message] : cases) {
        ui.said.clear();
        ProductInspector inspector(definitions, product({{"Type", "S|M"}}));
        inspector.setCell(1, 0, text);
        EXPECT_EQ(inspector.confirm(ui), std::nullopt) << text;
        EXPECT_EQ(ui.texts(), std::vector<std::string>{message}) << text;
    }
}

} // namespace
} // namespace qs
