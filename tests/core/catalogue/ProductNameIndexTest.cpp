#include "core/catalogue/Catalogue.h"

#include <gtest/gtest.h>

#include <random>

namespace qs {
namespace {

bool bruteForceHasOther(const TNewCategory& category, std::string_view name, const TNewProduct* except)
{
    for (const auto& product : category.products())
        if (product.get() != except && product->name() == name)
            return true;
    return false;
}

// The duplicate-name check answers from a list while the category is small
// and from an index once it grows; it must always agree with a plain scan of
// the category, through growth, deletions, renames and products taken away
// and put back.
TEST(ProductNameIndex, AgreesWithAScanThroughRandomChanges)
{
    Catalogue catalogue;
    std::vector<TNewCategory*> categories;
    for (const char* name : {"A", "B", "C"})
        categories.push_back(&catalogue.addCategory(catalogue.root(), name));
    std::vector<std::string> names;
    for (int i = 0; i < 60; ++i)
        names.push_back("Name " + std::to_string(i));

    std::mt19937 random(20240607);
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    auto anyProduct = [&]() -> TNewProduct* {
        TNewCategory* category = categories[pick(categories.size())];
        return category->products().empty() ? nullptr
                                            : category->products()[pick(category->productCount())].get();
    };

    for (int step = 0; step < 6000; ++step) {
        const std::size_t action = pick(11);
        if (action == 10) {
            // The last products of one category, at times all of them, go to another at once.
            TNewCategory& from = *categories[pick(categories.size())];
            const std::size_t count = pick(4) == 0 ? from.productCount() : pick(from.productCount() + 1);
            catalogue.appendProducts(*categories[pick(categories.size())],
                                     catalogue.takeLastProducts(from, count));
        } else if (action < 4) {
            catalogue.createProduct(*categories[pick(categories.size())]);
        } else if (TNewProduct* product = anyProduct(); product && action < 7) {
            const std::string& name = names[pick(names.size())];
            const bool refused = bruteForceHasOther(*product->Category, name, product);
            EXPECT_EQ(product->trySetField(FieldNames::ProductName, name), !refused) << step;
        } else if (product && action < 9) {
            catalogue.moveProduct(*product, *categories[pick(categories.size())]);
        } else if (product) {
            catalogue.destroyProduct(*product);
        }
        if (step % 50 != 0)
            continue;
        for (const TNewCategory* category : categories) {
            const TNewProduct* except =
                category->products().empty() ? nullptr : category->products()[0].get();
            for (const std::string& name : names) {
                ASSERT_EQ(category->hasProductNamedOtherThan(name, nullptr),
                          bruteForceHasOther(*category, name, nullptr))
                    << "step " << step << " " << name;
                ASSERT_EQ(category->hasProductNamedOtherThan(name, except),
                          bruteForceHasOther(*category, name, except))
                    << "step " << step << " " << name;
            }
        }
    }
    EXPECT_GT(catalogue.productCount(), 100u) << "the index must have grown";
}

} // namespace
} // namespace qs
