#include "core/catalogue/history/ImportStep.h"

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/history/UndoHistory.h"
#include "TempFolder.h"
#include "core/text/AtomicFileSet.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

struct ResetCounter : CatalogueObserver {
    int resets = 0, rows = 0;
    void catalogueReset() override { ++resets; }
    void productAdded(TNewProduct&) override { ++rows; }
    void productRemoved(TNewCategory&, std::size_t) override { ++rows; }
};

FieldRecord named(std::string_view name)
{
    FieldRecord fields;
    fields.set(FieldNames::ProductName, name);
    return fields;
}

class ImportStepTest : public ::testing::Test {
protected:
    ImportStepTest()
    {
        TNewCategory& toys = catalogue.addCategory(catalogue.root(), "Toys");
        catalogue.createProduct(toys, named("Kite"));
        catalogue.createProduct(toys);
        catalogue.addCategory(toys, "Cars");
        catalogue.addObserver(observer);
    }

    std::string saved() const
    {
        AtomicFileSet files;
        writeProductFile(catalogue, files.add(folder.file("shop.data")));
        writeCategoryFile(catalogue, files.add(folder.file("header_data.log")));
        files.commit();
        return folder.read("shop.data") + "\n--\n" + folder.read("header_data.log");
    }

    // Every category's product counter, in tree order.
    std::vector<std::int32_t> counters() const
    {
        std::vector<std::int32_t> found;
        std::vector<const TNewCategory*> pending{&catalogue.root()};
        while (!pending.empty()) {
            const TNewCategory* node = pending.back();
            pending.pop_back();
            found.push_back(node->ProductCounter);
            for (const auto& child : node->children())
                pending.push_back(child.get());
        }
        return found;
    }

    // Products into the existing Toys and into new categories, one inside another.
    void merge(ImportStep& step)
    {
        TNewCategory& toys = *catalogue.findByPath("Toys");
        step.addProduct(catalogue, toys, named("Ball"));
        TNewCategory& garden = step.addCategory(catalogue, catalogue.root(), "Garden");
        TNewCategory& tools = step.addCategory(catalogue, garden, "Tools");
        step.addProduct(catalogue, tools, named("Spade"));
        step.addProduct(catalogue, toys, named("Kite")); // keeps its counter-made name
        TNewCategory& boats = step.addCategory(catalogue, toys, "Boats");
        step.addProduct(catalogue, boats, named("Yacht"));
        step.addProduct(catalogue, garden, named("Hose"));
    }

    test::TempFolder folder;
    Catalogue catalogue;
    UndoHistory history{catalogue};
    ResetCounter observer;
};

TEST_F(ImportStepTest, UndoAndRedoGiveBackTheSameBytesAndTellTheViewsOnce)
{
    const std::string before = saved();
    {
        UndoHistory::Transaction transaction(history, "Import");
        auto step = std::make_unique<ImportStep>(*catalogue.findByPath("Toys"));
        ImportStep& importing = *step;
        history.perform(std::move(step));
        merge(importing);
        EXPECT_EQ(importing.productsAdded(), 5u);
        EXPECT_EQ(importing.categoriesCreated(), 3u);
        ASSERT_TRUE(transaction.commit());
    }
    const std::string after = saved();
    const std::vector<std::int32_t> countersAfter = counters();
    ASSERT_NE(after, before);
    EXPECT_EQ(history.undoLabel(), "Import");
    EXPECT_NE(after.find("::Toys|New Product 3::"), std::string::npos) << after;

    for (int round = 0; round < 2; ++round) {
        observer.resets = observer.rows = 0;
        const StepFocus focus = history.undo();
        EXPECT_EQ(saved(), before);
        EXPECT_EQ(focus.category, catalogue.findByPath("Toys"));
        EXPECT_EQ(observer.resets, 1);
        EXPECT_EQ(observer.rows, 0);
        history.redo();
        EXPECT_EQ(saved(), after);
        EXPECT_EQ(counters(), countersAfter) << "a New Product after the redo gets a name no product has";
    }
    EXPECT_EQ(catalogue.productCount(), 7u);
    EXPECT_EQ(catalogue.categoryCount(), 5u);

    // The counter went back too: the next product made after an undo is named as before the import.
    history.undo();
    EXPECT_EQ(catalogue.createProduct(*catalogue.findByPath("Toys")).name(), "New Product 2");
}

TEST_F(ImportStepTest, AMergeNeverCommittedLeavesTheCatalogueAsItWas)
{
    const std::string before = saved();
    {
        UndoHistory::Transaction transaction(history, "Import");
        auto step = std::make_unique<ImportStep>(catalogue.root());
        ImportStep& importing = *step;
        history.perform(std::move(step));
        merge(importing);
    }
    EXPECT_EQ(saved(), before);
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(catalogue.productCount(), 2u);
}

TEST(Catalogue, TakesTheLastProductsOffAndPutsThemBack)
{
    Catalogue catalogue;
    TNewCategory& shelf = catalogue.addCategory(catalogue.root(), "Shelf");
    for (const char* name : {"a", "b", "c", "d"})
        catalogue.createProduct(shelf, named(name));
    auto taken = catalogue.takeLastProducts(shelf, 3);
    ASSERT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken[0]->name(), "b");
    EXPECT_EQ(shelf.productCount(), 1u);
    EXPECT_EQ(catalogue.productCount(), 1u);
    EXPECT_FALSE(shelf.hasProductNamedOtherThan("c", nullptr));
    catalogue.appendProducts(shelf, std::move(taken));
    EXPECT_EQ(shelf.products()[3]->name(), "d");
    EXPECT_TRUE(shelf.hasProductNamedOtherThan("c", nullptr));
    EXPECT_EQ(catalogue.productCount(), 4u);
    EXPECT_EQ(catalogue.takeLastProducts(shelf, 9).size(), 4u);
    EXPECT_FALSE(shelf.hasProductNamedOtherThan("a", nullptr));
}

} // namespace
} // namespace qs
