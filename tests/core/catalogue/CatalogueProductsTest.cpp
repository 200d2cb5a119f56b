#include "ScriptedUserInterface.h"
#include "core/catalogue/Catalogue.h"

#include <gtest/gtest.h>

#include <limits>

namespace qs {
namespace {

using Names = std::vector<std::string>;

Names productNames(const TNewCategory& category)
{
    Names names;
    for (const auto& product : category.products())
        names.emplace_back(product->name());
    return names;
}

class CatalogueProducts : public ::testing::Test {
protected:
    TNewProduct& product(TNewCategory& category, std::string_view name)
    {
        TNewProduct& created = catalogue.createProduct(category);
        EXPECT_TRUE(created.setField("Product Name", name, ui));
        return created;
    }

    Catalogue catalogue;
    test::ScriptedUserInterface ui;
    TNewCategory& fruit = catalogue.addCategory(catalogue.root(), "Fruit");
    TNewCategory& veg = catalogue.addCategory(catalogue.root(), "Veg");
};

TEST_F(CatalogueProducts, NewProductsAreNamedFromTheCategorysCounter)
{
    for (int i = 0; i < 3; ++i)
        catalogue.createProduct(fruit);
    EXPECT_EQ(productNames(fruit), (Names{"New Product 0", "New Product 1", "New Product 2"}));
    catalogue.destroyProduct(*fruit.products()[1]);
    catalogue.createProduct(fruit);
    EXPECT_EQ(productNames(fruit), (Names{"New Product 0", "New Product 2", "New Product 3"}));
    catalogue.createProduct(veg);
    EXPECT_EQ(productNames(veg), Names{"New Product 0"});
    EXPECT_EQ(catalogue.productCount(), 4u);
}

TEST_F(CatalogueProducts, TheCounterMadeNamePassesOverNamesInUse)
{
    struct Case {
        const char* what;
        Names wanted; // the names the fields give, in order; "" for none
        Names names;
    };
    const Case cases[] = {
        {"New Product after loading New Product 2 and x",
         {"New Product 2", "x", ""},
         {"New Product 2", "x", "New Product 3"}},
        {"a taken name gets the next free one",
         {"New Product 2", "Kite", "Kite"},
         {"New Product 2", "Kite", "New Product 3"}},
        {"a run of taken names",
         {"New Product 1", "New Product 2", "New Product 3", "", "New Product 1"},
         {"New Product 1", "New Product 2", "New Product 3", "New Product 4", "New Product 5"}},
    };
    for (const auto& c : cases) {
        TNewCategory& category = catalogue.addCategory(catalogue.root(), c.what);
        for (const std::string& name : c.wanted) {
            FieldRecord::Builder fields;
            fields.add(FieldNames::ProductName, name);
            catalogue.createProduct(category, fields.finish());
        }
        EXPECT_EQ(productNames(category), c.names) << c.what;
    }
}

TEST_F(CatalogueProducts, IdsAreUniqueAndNextProductIdOnlyGrows)
{
    TNewProduct& a = catalogue.createProduct(fruit);
    TNewProduct& b = catalogue.createProduct(veg);
    EXPECT_EQ(a.ID, 0);
    EXPECT_EQ(b.ID, 1);
    EXPECT_EQ(a.Category, &fruit);

    struct Step {
        std::int64_t loaded;
        std::int64_t nextAfter;
    };
    const Step steps[] = {{41, 42}, {7, 42}, {42, 43}, {41, 43}};
    for (const auto& step : steps) {
        catalogue.setProductID(a, step.loaded);
        EXPECT_EQ(a.ID, step.loaded);
        EXPECT_EQ(catalogue.NextProductID, step.nextAfter) << step.loaded;
    }
    EXPECT_EQ(catalogue.createProduct(fruit).ID, 43);
    catalogue.destroyProduct(*fruit.products().back());
    EXPECT_EQ(catalogue.createProduct(fruit).ID, 44) << "IDs are never reused";
    catalogue.clear();
    EXPECT_EQ(catalogue.NextProductID, 45);
}

// The largest ID a file can carry must not overflow the next one.
TEST_F(CatalogueProducts, TheLargestIdDoesNotOverflow)
{
    constexpr auto largest = std::numeric_limits<std::int64_t>::max();
    TNewProduct& a = catalogue.createProduct(fruit);
    catalogue.setProductID(a, largest);
    EXPECT_EQ(catalogue.NextProductID, largest);
    catalogue.createProduct(fruit);
    EXPECT_EQ(catalogue.NextProductID, largest);
}

struct RenameCase {
    const char* to;
    bool accepted;
};

TEST_F(CatalogueProducts, RenamingToASiblingsExactNameIsRefused)
{
    product(fruit, "Apple");
    product(fruit, "Pear");
    product(veg, "Kale");
    const RenameCase cases[] = {
        {"Fig", true},    {"Apple", false}, {"apple", true}, {"Pear", false},
        {"Apple ", true}, {"Kale", true},   {"Kale", true},  {"APPLE", true},
    };
    TNewProduct& fig = product(fruit, "Fig");
    for (const auto& c : cases) {
        const std::string before(fig.name());
        ui.said.clear();
        EXPECT_EQ(fig.setField("Product Name", c.to, ui), c.accepted) << c.to;
        if (c.accepted) {
            EXPECT_EQ(fig.name(), c.to);
            EXPECT_TRUE(ui.said.empty()) << c.to;
        } else {
            EXPECT_EQ(fig.name(), before);
            EXPECT_EQ(ui.texts(), Names{"Cannot change product name to " + std::string(c.to) +
                                        ":\n\rThere is already a product with this name in this category."});
        }
    }
}

TEST_F(CatalogueProducts, ARenameFreesTheOldName)
{
    TNewProduct& apple = product(fruit, "Apple");
    TNewProduct& pear = product(fruit, "Pear");
    ASSERT_TRUE(apple.setField("Product Name", "Quince", ui));
    EXPECT_TRUE(pear.setField("product name", "Apple", ui));
    EXPECT_FALSE(apple.trySetField(FieldNames::ProductName, "Apple"));
    EXPECT_TRUE(ui.said.empty()) << "trySetField tells nobody";
}

TEST_F(CatalogueProducts, OtherFieldsAreSetWithoutAnyCheck)
{
    TNewProduct& apple = product(fruit, "Apple");
    product(fruit, "Pear");
    EXPECT_TRUE(apple.setField("Custom Field 1", "Pear", ui));
    EXPECT_TRUE(apple.setField("price", "1.20", ui));
    EXPECT_EQ(apple.field("Price"), "1.20");
    EXPECT_EQ(apple.field("Custom Field 1"), "Pear");
    EXPECT_TRUE(apple.setField("Price", "", ui));
    EXPECT_EQ(apple.field("Price"), "");
    EXPECT_EQ(apple.field("Never Heard Of"), "");
    EXPECT_TRUE(ui.said.empty());
}

TEST_F(CatalogueProducts, MovingIntoACategoryWithTheSameNameIsAllowed)
{
    TNewProduct& apple = product(fruit, "Apple");
    ASSERT_TRUE(apple.setField("Category", "Fruit", ui));
    product(veg, "Apple");
    TNewProduct& leek = product(veg, "Leek");

    catalogue.moveProduct(apple, veg);

    EXPECT_EQ(apple.Category, &veg);
    EXPECT_EQ(apple.field("Category"), "Fruit") << "kept until the next save and load";
    EXPECT_EQ(productNames(veg), (Names{"Apple", "Leek", "Apple"}));
    EXPECT_TRUE(fruit.products().empty());
    EXPECT_EQ(catalogue.productCount(), 3u);
    EXPECT_FALSE(leek.trySetField(FieldNames::ProductName, "Apple"));
    TNewProduct& other = catalogue.createProduct(fruit);
    EXPECT_TRUE(other.trySetField(FieldNames::ProductName, "Apple")) << "the old category forgot it";
}

struct EffectiveCase {
    const char* what;
    const char* own;
    const char* categoryDefault;
    const char* effective;
};

TEST_F(CatalogueProducts, EmptyFieldsShowTheCategoryDefault)
{
    const EffectiveCase cases[] = {
        {"default fills an empty field", "", "x.jpg", "x.jpg"},
        {"own value wins", "own.jpg", "x.jpg", "own.jpg"},
        {"neither", "", "", ""},
        {"own value without a default", "own.jpg", "", "own.jpg"},
    };
    TNewProduct& p = product(fruit, "Apple");
    for (const auto& c : cases) {
        ASSERT_TRUE(p.setField("Picture", c.own, ui));
        fruit.setDetail("default picture", c.categoryDefault);
        EXPECT_EQ(p.effectiveField("Picture"), c.effective) << c.what;
        EXPECT_EQ(p.effectiveField(*FieldNames::find("Picture")), c.effective) << c.what;
        EXPECT_EQ(p.field("Picture"), c.own) << c.what;
    }
    fruit.setDetail("Default Custom Field 9", "nine");
    EXPECT_EQ(p.effectiveField("Custom Field 9"), "nine");
    EXPECT_EQ(product(veg, "Kale").effectiveField("Custom Field 9"), "") << "defaults are per category";
}

TEST_F(CatalogueProducts, DestroyingAProductRemovesOnlyIt)
{
    product(fruit, "Apple");
    TNewProduct& pear = product(fruit, "Pear");
    product(fruit, "Fig");
    catalogue.destroyProduct(pear);
    EXPECT_EQ(productNames(fruit), (Names{"Apple", "Fig"}));
    EXPECT_EQ(catalogue.productCount(), 2u);
    EXPECT_TRUE(catalogue.createProduct(fruit).trySetField(FieldNames::ProductName, "Pear"));
}

} // namespace
} // namespace qs
