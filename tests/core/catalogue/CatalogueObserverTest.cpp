#include "ScriptedUserInterface.h"
#include "core/catalogue/Catalogue.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

using Events = std::vector<std::string>;

class Recorder : public CatalogueObserver {
public:
    Events events;

    void categoryAboutToBeAdded(TNewCategory& parent, std::size_t row) override
    {
        add("adding to " + name(parent) + " at " + std::to_string(row));
    }
    void categoryAdded(TNewCategory& c) override { add("added " + name(c)); }
    void categoryAboutToBeRemoved(TNewCategory& c) override { add("removing " + name(c)); }
    void categoryRemoved(TNewCategory& parent, std::size_t row) override
    {
        add("removed from " + name(parent) + " at " + std::to_string(row));
    }
    void categoryAboutToBeMoved(TNewCategory& c, TNewCategory& to, std::size_t row) override
    {
        add("moving " + name(c) + " to " + name(to) + " at " + std::to_string(row));
    }
    void categoryMoved(TNewCategory& c) override { add("moved " + name(c)); }
    void categoryRenamed(TNewCategory& c) override { add("renamed " + name(c)); }
    void treeAboutToBeReordered() override { add("reordering"); }
    void treeReordered() override { add("reordered"); }
    void categoryDetailChanged(TNewCategory& c, std::string_view detail) override
    {
        add(std::string(detail) + " of " + name(c));
    }
    void productAboutToBeAdded(TNewCategory& c, std::size_t row) override
    {
        add("adding product to " + name(c) + " at " + std::to_string(row));
    }
    void productAdded(TNewProduct& p) override { add("added product " + std::string(p.name())); }
    void productAboutToBeRemoved(TNewCategory& c, std::size_t row) override
    {
        add("removing product of " + name(c) + " at " + std::to_string(row));
    }
    void productRemoved(TNewCategory& c, std::size_t row) override
    {
        add("removed product of " + name(c) + " at " + std::to_string(row));
    }
    void productFieldChanged(TNewProduct& p, FieldId field) override
    {
        add(std::string(FieldNames::spelling(field)) + " of " + std::string(p.name()));
    }
    void catalogueAboutToBeReset() override { add("resetting"); }
    void catalogueReset() override { add("reset"); }

private:
    static std::string name(const TNewCategory& c) { return std::string(c.text()); }
    void add(std::string event) { events.push_back(std::move(event)); }
};

class CatalogueObserverTest : public ::testing::Test {
protected:
    CatalogueObserverTest() { catalogue.addObserver(recorder); }
    Events take() { return std::exchange(recorder.events, {}); }

    Catalogue catalogue;
    Recorder recorder;
    test::ScriptedUserInterface ui;
};

TEST_F(CatalogueObserverTest, HearsEverySingleChange)
{
    TNewCategory& fruit = catalogue.addCategory(catalogue.root(), "Fruit");
    EXPECT_EQ(take(), (Events{"adding to Whole Catalogue at 0", "added Fruit"}));
    TNewCategory& veg = catalogue.addCategory(catalogue.root(), "Veg");
    take();

    TNewProduct& product = catalogue.createProduct(fruit);
    EXPECT_EQ(take(), (Events{"adding product to Fruit at 0", "added product New Product 0"}));
    product.setField("Product Name", "Apple", ui);
    EXPECT_EQ(take(), Events{"Product Name of Apple"});
    catalogue.createProduct(veg);
    take();
    catalogue.moveProduct(product, veg, 0);
    EXPECT_EQ(take(), (Events{"removing product of Fruit at 0", "removed product of Fruit at 0",
                              "adding product to Veg at 0", "added product Apple"}));
    catalogue.destroyProduct(product);
    EXPECT_EQ(take(), (Events{"removing product of Veg at 0", "removed product of Veg at 0"}));
    fruit.setDetail("Default Price", "2");
    EXPECT_EQ(take(), Events{"Default Price of Fruit"});

    fruit.setDetail("Category Name", "Fresh Fruit");
    EXPECT_EQ(take(), (Events{"renamed Fresh Fruit", "Category Name of Fresh Fruit"}));
    fruit.setDetail("Category Name", "");
    fruit.setDetail("Category Name", "Fresh Fruit");
    EXPECT_EQ(take(), Events{}) << "a refused or unchanged name is no rename";
    catalogue.moveCategory(veg, fruit);
    EXPECT_EQ(take(), (Events{"moving Veg to Fresh Fruit at 0", "moved Veg"}));
    catalogue.moveCategory(fruit, veg);
    EXPECT_EQ(take(), Events{}) << "a refused move is not told";
    catalogue.sortAlphabetically();
    EXPECT_EQ(take(), (Events{"reordering", "reordered"}));
    catalogue.destroyCategory(fruit);
    EXPECT_EQ(take(), (Events{"removing Fresh Fruit", "removed from Whole Catalogue at 0"}));
    catalogue.clear();
    EXPECT_EQ(take(), (Events{"resetting", "reset"}));
}

TEST_F(CatalogueObserverTest, ABulkChangeIsHeardAsOneReset)
{
    {
        Catalogue::BulkChange outer(catalogue);
        TNewCategory& fruit = catalogue.addCategory(catalogue.root(), "Fruit");
        {
            Catalogue::BulkChange inner(catalogue);
            catalogue.createProduct(fruit).setField("Price", "1", ui);
        }
        catalogue.destroyCategory(fruit);
        EXPECT_EQ(recorder.events, Events{"resetting"});
    }
    EXPECT_EQ(take(), (Events{"resetting", "reset"}));
    catalogue.addCategory(catalogue.root(), "Veg");
    EXPECT_EQ(take().size(), 2u) << "single changes are told again afterwards";
}

} // namespace
} // namespace qs
