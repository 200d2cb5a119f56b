#include "core/catalogue/FindProducts.h"
#include "ScriptedUserInterface.h"
#include "core/catalogue/Catalogue.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

using Names = std::vector<std::string>;

class FindProductsTest : public ::testing::Test {
protected:
    TNewProduct& product(TNewCategory& category, std::string_view name)
    {
        TNewProduct& created = catalogue.createProduct(category);
        EXPECT_TRUE(created.setField("Product Name", name, ui));
        return created;
    }

    Names found(std::string_view text)
    {
        Names names;
        for (const TNewProduct* p : FindProducts(catalogue, text).results)
            names.emplace_back(p->name());
        return names;
    }

    Catalogue catalogue;
    test::ScriptedUserInterface ui;
};

TEST_F(FindProductsTest, MatchesAToZInEitherCaseAndOtherLettersExactly)
{
    TNewCategory& clothes = catalogue.addCategory(catalogue.root(), "Clothes");
    TNewCategory& sale = catalogue.addCategory(clothes, "Sale");
    for (const char* name : {"T-Shirt", "Skirt", "Caf\xE9 Mug", "CAF\xC9 MUG"})
        product(clothes, name);
    for (const char* name : {"SHIRT", "Shirts", "Shoes"})
        product(sale, name);

    const std::pair<const char*, Names> cases[] = {
        {"shirt", {"SHIRT", "Shirts", "T-Shirt"}},
        {"SHIRT", {"SHIRT", "Shirts", "T-Shirt"}},
        {"caf\xE9", {"Caf\xE9 Mug"}},
        {"CAF\xC9", {"CAF\xC9 MUG"}},
        {"irt", {"SHIRT", "Shirts", "Skirt", "T-Shirt"}},
        {"shirts!", {}},
    };
    for (const auto& [text, names] : cases)
        EXPECT_EQ(found(text), names) << text;
}

TEST_F(FindProductsTest, EmptyTextListsEveryProductInNameOrderAcrossTheTree)
{
    TNewCategory& a = catalogue.addCategory(catalogue.root(), "A");
    TNewCategory& b = catalogue.addCategory(a, "B");
    TNewCategory& c = catalogue.addCategory(catalogue.root(), "C");
    product(c, "Size 100");
    product(b, "Size 9");
    product(a, "Size 10");
    product(c, "apple");
    product(a, "Zebra");
    TNewProduct& first = product(c, "Same");
    TNewProduct& second = product(b, "Same");
    EXPECT_EQ(found(""), (Names{"Same", "Same", "Size 9", "Size 10", "Size 100", "Zebra", "apple"}));
    // Equal names keep the tree order: B comes before C.
    const ProductSearch all = FindProducts(catalogue, "");
    EXPECT_EQ(all.results[0], &second);
    EXPECT_EQ(all.results[1], &first);
}

TEST_F(FindProductsTest, HeadingAndNoResultMessageNameTheText)
{
    const ProductSearch everything = FindProducts(catalogue, "");
    EXPECT_EQ(everything.heading, "Products in catalogue:- ");
    EXPECT_EQ(everything.noResultMessage, "No products in catalogue.");
    EXPECT_TRUE(everything.results.empty());
    const ProductSearch some = FindProducts(catalogue, "Tea");
    EXPECT_EQ(some.heading, "Results matching 'Tea' in catalogue:- ");
    EXPECT_EQ(some.noResultMessage, "No products matching 'Tea' in catalogue.");
}

} // namespace
} // namespace qs
