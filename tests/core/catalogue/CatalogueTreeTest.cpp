#include "ScriptedUserInterface.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/LinguisticOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace qs {
namespace {

using Names = std::vector<std::string>;

Names childNames(const TNewCategory& category)
{
    Names names;
    for (const auto& child : category.children())
        names.emplace_back(child->text());
    return names;
}

TEST(CatalogueTree, ANewCategoryIsNamedNewCategory)
{
    Catalogue catalogue;
    TNewCategory& category = catalogue.addCategory(catalogue.root());
    EXPECT_EQ(category.text(), "New Category");
    EXPECT_EQ(category.detail("Category Name"), "New Category");
    EXPECT_TRUE(category.details().empty()) << "the name is no other detail";
    EXPECT_EQ(category.ProductCounter, 0);
    EXPECT_TRUE(category.products().empty());
    EXPECT_EQ(catalogue.root().text(), "Whole Catalogue");
}

TEST(CatalogueTree, ACategoryCannotLoseItsName)
{
    Catalogue catalogue;
    TNewCategory& fruit = catalogue.addCategory(catalogue.root(), "Fruit");
    EXPECT_FALSE(fruit.setDetail("Category Name", ""));
    EXPECT_EQ(fruit.text(), "Fruit");
    EXPECT_TRUE(fruit.setDetail("category name", "Fresh Fruit"));
    EXPECT_EQ(fruit.text(), "Fresh Fruit");
    EXPECT_EQ(catalogue.findByPath("Fresh Fruit"), &fruit);
    EXPECT_EQ(catalogue.findByPath("Fruit"), nullptr);
    EXPECT_FALSE(catalogue.root().setDetail("Category Name", "Everything"));
    EXPECT_EQ(catalogue.root().text(), "Whole Catalogue");
    EXPECT_TRUE(fruit.setDetail("Description", "Fresh every day"));
    EXPECT_TRUE(fruit.setDetail("Description", ""));
    EXPECT_TRUE(fruit.details().empty());
}

// Three siblings named Fruit: the lookup always answers with the first in tree order.
TEST(CatalogueTree, SameNamedSiblingsAreFoundInTreeOrder)
{
    Catalogue catalogue;
    TNewCategory& first = catalogue.addCategory(catalogue.root(), "Fruit");
    TNewCategory& second = catalogue.addCategory(catalogue.root(), "Fruit");
    TNewCategory& third = catalogue.addCategory(catalogue.root(), "Fruit");
    catalogue.addCategory(second, "Apples");

    EXPECT_EQ(catalogue.findByPath("Fruit"), &first);
    EXPECT_EQ(catalogue.findByPath("Fruit|Apples"), nullptr) << "only the first Fruit is searched";
    first.setDetail("Category Name", "Old Fruit");
    EXPECT_EQ(catalogue.findByPath("Fruit"), &second);
    EXPECT_NE(catalogue.findByPath("Fruit|Apples"), nullptr);
    third.setDetail("Category Name", "Old Fruit");
    EXPECT_EQ(catalogue.findByPath("Old Fruit"), &first);
    first.setDetail("Category Name", "Fruit");
    EXPECT_EQ(catalogue.findByPath("Fruit"), &first) << "a rename back puts it first again";
    catalogue.destroyCategory(first);
    EXPECT_EQ(catalogue.findByPath("Fruit"), &second);
    third.setDetail("Category Name", "Fruit");
    catalogue.destroyCategory(second);
    EXPECT_EQ(catalogue.findByPath("Fruit"), &third);
}

TEST(CatalogueTree, LookupByPathNeverCreates)
{
    Catalogue catalogue;
    TNewCategory& fruit = catalogue.addCategory(catalogue.root(), "Fruit");
    TNewCategory& apples = catalogue.addCategory(fruit, "Apples");
    TNewCategory& cookers = catalogue.addCategory(apples, "Cookers");
    struct Case {
        const char* path;
        TNewCategory* found;
    };
    const Case cases[] = {
        {"Fruit", &fruit},
        {"Fruit|Apples", &apples},
        {"Fruit|Apples|Cookers", &cookers},
        {"fruit", nullptr},
        {"Apples", nullptr},
        {"Fruit|Pears", nullptr},
        {"", nullptr},
        {"Fruit|", nullptr},
        {"|Fruit", nullptr},
        {"Fruit||Apples", nullptr},
        {"Whole Catalogue", nullptr},
        {"Fruit|Apples|Cookers|X", nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(catalogue.findByPath(c.path), c.found) << c.path;
    EXPECT_EQ(catalogue.categoryCount(), 3u);
    EXPECT_EQ(cookers.path(), "Fruit|Apples|Cookers");
}

TEST(CatalogueTree, DepthCountsTheRootAndEveryLevel)
{
    Catalogue catalogue;
    EXPECT_EQ(catalogue.depth(), 1);
    TNewCategory& fruit = catalogue.addCategory(catalogue.root(), "Fruit");
    TNewCategory& veg = catalogue.addCategory(catalogue.root(), "Veg");
    EXPECT_EQ(catalogue.depth(), 2);
    catalogue.addCategory(fruit, "Apples");
    EXPECT_EQ(catalogue.depth(), 3);
    TNewCategory& roots = catalogue.addCategory(veg, "Roots");
    catalogue.addCategory(roots, "Carrots");
    EXPECT_EQ(catalogue.depth(), 4) << "the deepest branch counts";
    catalogue.destroyCategory(roots);
    EXPECT_EQ(catalogue.depth(), 3);
}

TEST(CatalogueTree, ACategoryCannotMoveIntoItself)
{
    Catalogue catalogue;
    TNewCategory& fruit = catalogue.addCategory(catalogue.root(), "Fruit");
    TNewCategory& apples = catalogue.addCategory(fruit, "Apples");
    TNewCategory& cookers = catalogue.addCategory(apples, "Cookers");
    TNewCategory& veg = catalogue.addCategory(catalogue.root(), "Veg");

    for (TNewCategory* target : {&fruit, &apples, &cookers})
        EXPECT_FALSE(catalogue.moveCategory(fruit, *target)) << target->text();
    EXPECT_FALSE(catalogue.moveCategory(catalogue.root(), veg));
    EXPECT_EQ(childNames(catalogue.root()), (Names{"Fruit", "Veg"}));
    EXPECT_EQ(cookers.path(), "Fruit|Apples|Cookers");

    EXPECT_TRUE(catalogue.moveCategory(apples, veg));
    EXPECT_EQ(cookers.path(), "Veg|Apples|Cookers");
    EXPECT_EQ(catalogue.findByPath("Veg|Apples|Cookers"), &cookers);
    EXPECT_EQ(catalogue.findByPath("Fruit|Apples"), nullptr);
    EXPECT_TRUE(catalogue.moveCategory(fruit, veg)) << "onto a sibling";
    EXPECT_EQ(childNames(veg), (Names{"Apples", "Fruit"}));
    EXPECT_TRUE(catalogue.moveCategory(cookers, catalogue.root()));
    EXPECT_EQ(childNames(catalogue.root()), (Names{"Veg", "Cookers"}));
    EXPECT_EQ(catalogue.categoryCount(), 4u);
}

TEST(CatalogueTree, DestroyingACategoryTakesItsWholeSubTree)
{
    Catalogue catalogue;
    TNewCategory& fruit = catalogue.addCategory(catalogue.root(), "Fruit");
    TNewCategory& apples = catalogue.addCategory(fruit, "Apples");
    TNewCategory& veg = catalogue.addCategory(catalogue.root(), "Veg");
    for (TNewCategory* category : {&fruit, &apples, &apples, &veg})
        catalogue.createProduct(*category);
    catalogue.addCategory(apples, "Cookers");

    catalogue.destroyCategory(fruit);

    EXPECT_EQ(catalogue.categoryCount(), 1u);
    EXPECT_EQ(catalogue.productCount(), 1u);
    EXPECT_EQ(childNames(catalogue.root()), Names{"Veg"});
    EXPECT_EQ(catalogue.findByPath("Fruit"), nullptr);
    EXPECT_THROW(catalogue.destroyCategory(catalogue.root()), std::logic_error);
}

TEST(CatalogueTree, ClearLeavesTheBareRoot)
{
    Catalogue catalogue;
    TNewCategory& fruit = catalogue.addCategory(catalogue.root(), "Fruit");
    catalogue.addCategory(fruit, "Apples");
    catalogue.createProduct(fruit);
    catalogue.clear();
    EXPECT_FALSE(catalogue.root().hasChildren());
    EXPECT_EQ(catalogue.categoryCount(), 0u);
    EXPECT_EQ(catalogue.productCount(), 0u);
    EXPECT_EQ(catalogue.depth(), 1);
    EXPECT_EQ(catalogue.findByPath("Fruit"), nullptr);
    EXPECT_EQ(catalogue.root().text(), "Whole Catalogue");
}

// No depth of tree may exhaust the stack, whoever walks or frees it.
TEST(CatalogueTree, AVeryDeepTreeIsMeasuredAndDestroyed)
{
    constexpr int levels = 100000;
    Catalogue catalogue;
    TNewCategory* top = nullptr;
    for (int round = 0; round < 2; ++round) {
        TNewCategory* node = &catalogue.root();
        for (int i = 0; i < levels; ++i)
            node = &catalogue.addCategory(*node, "Level");
        catalogue.createProduct(*node);
        if (!top)
            top = catalogue.root().children().front().get();
    }
    EXPECT_EQ(catalogue.depth(), levels + 1);
    EXPECT_EQ(catalogue.categoryCount(), 2u * levels);
    catalogue.sortAlphabetically();
    catalogue.destroyCategory(*top);
    EXPECT_EQ(catalogue.categoryCount(), std::size_t(levels));
    EXPECT_EQ(catalogue.productCount(), 1u);
    // The second chain goes with the catalogue.
}

TEST(CatalogueTree, SortingOrdersEveryLevelLinguisticallyAndKeepsProducts)
{
    Catalogue catalogue;
    for (const char* name : {"Zebra", "banana",
                             "\xC9"
                             "clair",
                             "Apple", "apple"})
        catalogue.addCategory(catalogue.root(), name);
    TNewCategory& banana = *catalogue.findByPath("banana");
    for (const char* name : {"b", "C", "a"})
        catalogue.addCategory(banana, name);
    for (int i = 0; i < 3; ++i)
        catalogue.createProduct(banana);
    test::ScriptedUserInterface ui;
    banana.products()[0]->setField("Product Name", "zz", ui);

    catalogue.sortAlphabetically();

    EXPECT_EQ(childNames(catalogue.root()), (Names{"apple", "Apple", "banana",
                                                   "\xC9"
                                                   "clair",
                                                   "Zebra"}));
    EXPECT_EQ(childNames(banana), (Names{"a", "b", "C"}));
    EXPECT_EQ(banana.products()[0]->name(), "zz");
    EXPECT_EQ(banana.products()[2]->name(), "New Product 2");
    EXPECT_EQ(catalogue.findByPath("banana|C"), banana.children().back().get());
}

// Whatever a family's order, sorting puts it as a stable sort by the
// linguistic keys does: namesakes, and names that differ only in case, keep
// their order.
TEST(CatalogueTree, SortingAgreesWithAStableSortByKeys)
{
    const LinguisticOrder order;
    Names manyNamesakes;
    for (int i = 0; i < 40; ++i)
        manyNamesakes.push_back(i % 3 == 0 ? "Kites" : "Balls");
    const std::vector<Names> families = {
        manyNamesakes,
        {"apple", "Apple", "banana", "Zebra"},
        {"Zebra", "banana", "Apple", "apple"},
        {"Kites", "Balls", "Kites", "Balls", "Kites"},
        {"Kites", "Kites", "Kites"},
        {std::string(100, 'b') + "a", std::string(100, 'b'), "b", ""},
    };
    for (const Names& names : families) {
        Catalogue catalogue;
        std::vector<const TNewCategory*> expected;
        for (const std::string& name : names)
            expected.push_back(&catalogue.addCategory(catalogue.root(), name));
        std::stable_sort(expected.begin(), expected.end(), [&](const auto* a, const auto* b) {
            return order.sortKey(a->text()) < order.sortKey(b->text());
        });

        catalogue.sortAlphabetically();

        std::vector<const TNewCategory*> sorted;
        for (const auto& child : catalogue.root().children())
            sorted.push_back(child.get());
        EXPECT_EQ(sorted, expected) << names.front() << " ... " << names.back();
    }
}

TNewCategory* firstChildByScan(const TNewCategory& parent, std::string_view name)
{
    for (const auto& child : parent.children())
        if (child->text() == name)
            return child.get();
    return nullptr;
}

// A small family is searched and a large one indexed; either way the lookup
// must answer with the first child of the name, as families grow past the
// size where the index starts, shrink, and are renamed, moved and sorted.
TEST(CatalogueTree, ChildLookupAgreesWithAScanAsFamiliesGrowAndShrink)
{
    Catalogue catalogue;
    std::vector<TNewCategory*> parents;
    for (const char* name : {"A", "B", "C"})
        parents.push_back(&catalogue.addCategory(catalogue.root(), name));
    const Names names = {"Kites", "kites", "Balls", "Dolls", "Drums", "Yo-yos"};
    std::vector<TNewCategory*> children;

    std::mt19937 random(20261208);
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    std::size_t largestFamily = 0;
    bool shrankBack = false;
    for (int step = 0; step < 4000; ++step) {
        // Families grow and then shrink, so that they cross the size both ways.
        const bool growing = step % 1000 < 500;
        const std::size_t adding = growing ? 9 : 2;
        const std::size_t removing = growing ? 2 : 9;
        const std::size_t action = pick(20);
        TNewCategory* parent = parents[pick(parents.size())];
        if (children.empty() || action < adding) {
            children.push_back(&catalogue.addCategory(*parent, names[pick(names.size())]));
        } else if (TNewCategory* child = children[pick(children.size())]; action < adding + removing) {
            std::erase(children, child);
            catalogue.destroyCategory(*child);
        } else if (action < adding + removing + 4) {
            child->setDetail("Category Name", names[pick(names.size())]);
        } else if (action < adding + removing + 7) {
            catalogue.moveCategory(*child, *parent, pick(parent->children().size() + 1));
        } else {
            const auto order = catalogue.childOrder();
            catalogue.sortAlphabetically();
            if (step % 2 == 0)
                catalogue.restoreChildOrder(order);
        }
        for (const TNewCategory* p : parents) {
            largestFamily = std::max(largestFamily, p->children().size());
            shrankBack = shrankBack || (largestFamily > 20 && p->children().size() < 4);
            for (const std::string& name : names)
                ASSERT_EQ(p->childNamed(name), firstChildByScan(*p, name))
                    << "step " << step << " " << p->text() << "|" << name;
        }
    }
    EXPECT_GT(largestFamily, 20u) << "the families must have outgrown a search";
    EXPECT_TRUE(shrankBack) << "and have shrunk again";
}

} // namespace
} // namespace qs
