#include "core/catalogue/ProductNameSort.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/ProductNameOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace qs {
namespace {

// Enough names, sharing long beginnings and each often repeated, that the
// sort takes every path: counting and comparing, chunk after chunk.
TEST(ProductNameSort, OrdersAsTheComparisonAndKeepsEqualNamesInTheirOrder)
{
    Catalogue catalogue;
    std::mt19937 random(6);
    const std::string pieces[] = {"Size ", "1", "9", "10", "Cotton T-Shirt ", "a", "Z", std::string(1, '\0'),
                                  "\xFF"};
    std::uniform_int_distribution<std::size_t> count(0, 5), pick(0, std::size(pieces) - 1);
    std::vector<TNewProduct*> added;
    ProductNameSort sort;
    for (int i = 0; i < 3000; ++i) {
        std::string name;
        for (std::size_t n = count(random); n > 0; --n)
            name += pieces[pick(random)];
        FieldRecord::Builder fields;
        fields.add(FieldNames::ProductName, name);
        // A category of its own, where no other product has the name.
        TNewCategory& category = catalogue.addCategory(catalogue.root());
        TNewProduct& product = catalogue.createProduct(category, fields.finish());
        added.push_back(&product);
        sort.add(&product);
    }
    std::vector<TNewProduct*> expected = added;
    std::stable_sort(expected.begin(), expected.end(), [](const TNewProduct* a, const TNewProduct* b) {
        return CompareProductNames(a->name(), b->name()) < 0;
    });
    const auto sameName = [](const TNewProduct* a, const TNewProduct* b) { return a->name() == b->name(); };
    ASSERT_NE(std::adjacent_find(expected.begin(), expected.end(), sameName), expected.end());
    EXPECT_EQ(sort.sorted(), expected);
    EXPECT_TRUE(sort.sorted().empty());
}

} // namespace
} // namespace qs
