#include "core/catalogue/history/UndoHistory.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueChanges.h"
#include "core/catalogue/CatalogueFile.h"
#include "TempFolder.h"
#include "core/text/AtomicFileSet.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace qs {
namespace {

// Every record of the catalogue, in tree order, so that a test can pick one.
struct Records {
    std::vector<TNewCategory*> categories; // the root first
    std::vector<TNewProduct*> products;

    explicit Records(Catalogue& catalogue)
    {
        std::vector<TNewCategory*> pending{&catalogue.root()};
        while (!pending.empty()) {
            TNewCategory* node = pending.back();
            pending.pop_back();
            categories.push_back(node);
            for (const auto& product : node->products())
                products.push_back(product.get());
            for (auto it = node->children().rbegin(); it != node->children().rend(); ++it)
                pending.push_back(it->get());
        }
    }
};

// Whether every category's products carry names of their own.
bool namesAreUniquePerCategory(const Catalogue& catalogue)
{
    std::vector<const TNewCategory*> pending{&catalogue.root()};
    while (!pending.empty()) {
        const TNewCategory* node = pending.back();
        pending.pop_back();
        std::set<std::string_view> names;
        for (const auto& product : node->products())
            if (!names.insert(product->name()).second)
                return false;
        for (const auto& child : node->children())
            pending.push_back(child.get());
    }
    return true;
}

class UndoHistoryTest : public ::testing::Test {
protected:
    // What a save writes: both catalogue files.
    std::string saved() const
    {
        AtomicFileSet files;
        writeProductFile(catalogue, files.add(folder.file("shop.data")));
        writeCategoryFile(catalogue, files.add(folder.file("header_data.log")));
        files.commit();
        return folder.read("shop.data") + "\n--\n" + folder.read("header_data.log");
    }

    // Saved hundreds of times: in memory where the system offers a folder there.
    test::TempFolder folder{std::filesystem::is_directory("/dev/shm")
                                ? std::filesystem::path("/dev/shm")
                                : std::filesystem::temp_directory_path()};
    Catalogue catalogue;
    UndoHistory history{catalogue, 1000};
    CatalogueChanges changes{catalogue, history};
};

// Makes one random change of any kind through the calls the window uses.
void randomChange(CatalogueChanges& changes, std::mt19937& random)
{
    Catalogue& catalogue = changes.catalogue();
    const Records records(catalogue);
    const auto pick = [&](const auto& list) { return list[random() % list.size()]; };
    // Some words are names the category counter makes.
    const std::string word = (random() % 3 ? "w" : "New Product ") + std::to_string(random() % 7);
    const bool anyProduct = !records.products.empty();
    const bool anyCategory = records.categories.size() > 1;
    switch (random() % 11) {
    case 0:
        changes.addCategory(*pick(records.categories), "Add Category");
        break;
    case 1:
        if (anyCategory)
            changes.addProduct(*records.categories[1 + random() % (records.categories.size() - 1)]);
        break;
    case 2:
        if (anyProduct)
            changes.setProductField(*pick(records.products),
                                    pick(std::vector<const char*>{"Price", "Type", "Product Name"}),
                                    random() % 4 ? word : "");
        break;
    case 3:
        if (anyCategory)
            changes.setCategoryDetail(
                *records.categories[1 + random() % (records.categories.size() - 1)],
                pick(std::vector<const char*>{"Description", "Default Price", "Category Name", "Picture"}),
                random() % 4 ? word : "");
        break;
    case 4:
        if (anyCategory && random() % 3 == 0)
            changes.deleteCategory(*records.categories[1 + random() % (records.categories.size() - 1)]);
        break;
    case 5:
        if (anyProduct)
            changes.deleteProduct(*pick(records.products));
        break;
    case 6:
        if (anyCategory)
            changes.moveCategory(*records.categories[1 + random() % (records.categories.size() - 1)],
                                 *pick(records.categories));
        break;
    case 7:
        if (anyProduct && anyCategory)
            changes.moveProduct(*pick(records.products),
                                *records.categories[1 + random() % (records.categories.size() - 1)]);
        break;
    case 8:
        changes.sort();
        break;
    case 9:
        if (anyProduct)
            changes.setProductFields(*pick(records.products), {{"Price", word}, {"Options", "0|2"}},
                                     "Edit Types");
        break;
    default:
        if (anyProduct)
            changes.setProductField(*pick(records.products), "Description", word + "<br>" + word);
        break;
    }
}

TEST_F(UndoHistoryTest, EveryStepUndoesToTheSameBytesAndRedoesToThemAgain)
{
    for (const unsigned seed : {1u, 2u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        history.clear();
        catalogue.clear();
        for (int i = 0; i < 30; ++i) // a seeded random catalogue, not part of the history
            randomChange(changes, random);
        history.clear();

        std::vector<std::string> before{saved()};
        for (int i = 0; i < 300; ++i) {
            randomChange(changes, random);
            ASSERT_TRUE(namesAreUniquePerCategory(catalogue)) << "after change " << i;
            if (history.size() == before.size())
                before.push_back(saved());
            else
                EXPECT_EQ(saved(), before.back()) << "a change that recorded no step changed the catalogue";
        }
        ASSERT_GT(history.size(), 80u);

        for (std::size_t step = before.size() - 1; step > 0; --step) {
            ASSERT_TRUE(history.canUndo());
            history.undo();
            ASSERT_EQ(saved(), before[step - 1]) << "after undoing step " << step;
            ASSERT_TRUE(namesAreUniquePerCategory(catalogue)) << "after undoing step " << step;
        }
        EXPECT_FALSE(history.canUndo());
        for (std::size_t step = 1; step < before.size(); ++step) {
            history.redo();
            ASSERT_EQ(saved(), before[step]) << "after redoing step " << step;
        }
        EXPECT_FALSE(history.canRedo());
    }
}

TEST_F(UndoHistoryTest, LabelsCleanPositionAndLimit)
{
    UndoHistory short_(catalogue, 3);
    CatalogueChanges c(catalogue, short_);
    EXPECT_TRUE(short_.isClean());
    TNewCategory& books = c.addCategory(catalogue.root(), "Add Category");
    TNewProduct& dune = c.addProduct(books);
    short_.markClean();
    c.setProductField(dune, "Price", "9.99");
    EXPECT_EQ(short_.undoLabel(), "Edit Price");
    EXPECT_FALSE(short_.isClean());
    short_.undo();
    EXPECT_TRUE(short_.isClean()) << "undone back to the save";
    EXPECT_EQ(short_.redoLabel(), "Edit Price");
    c.setProductField(dune, "Price", "9.99");
    c.setProductField(dune, "Price", "9.99");
    EXPECT_EQ(short_.size(), 3u) << "an unchanged value records nothing; the redo step is gone";
    c.deleteProduct(dune);
    EXPECT_EQ(short_.size(), 3u) << "the oldest step goes at the limit";
    EXPECT_EQ(short_.undoLabel(), "Delete Product");
    while (short_.canUndo())
        short_.undo();
    EXPECT_FALSE(short_.isClean());
    EXPECT_EQ(books.productCount(), 0u);
    EXPECT_EQ(catalogue.categoryCount(), 1u) << "adding the category dropped out of the history";
}

TEST_F(UndoHistoryTest, AChangeMadeAfterUndoingPastTheSaveIsNeverClean)
{
    CatalogueChanges c(catalogue, history);
    TNewProduct& dune = c.addProduct(c.addCategory(catalogue.root(), "Add Category"));
    c.setProductField(dune, "Price", "9.99");
    history.markClean();
    history.undo();
    c.setProductField(dune, "Price", "8.50");
    EXPECT_FALSE(history.isClean()) << "the saved position went with the step it followed";
    history.undo();
    EXPECT_FALSE(history.isClean()) << "undone to before the save";
}

TEST_F(UndoHistoryTest, AnUncommittedTransactionLeavesTheCatalogueAsItWas)
{
    TNewCategory& books = changes.addCategory(catalogue.root(), "Add Category");
    const std::string start = saved();
    {
        UndoHistory::Transaction merge(history, "Import");
        TNewCategory& fiction = changes.addCategory(books, "Add Sub-Category");
        changes.setProductField(changes.addProduct(fiction), "Price", "3");
        changes.sort();
    }
    EXPECT_EQ(saved(), start);
    EXPECT_EQ(history.undoLabel(), "Add Category");
    {
        UndoHistory::Transaction merge(history, "Import");
        changes.addProduct(books);
        changes.addProduct(books);
        EXPECT_TRUE(merge.commit());
    }
    EXPECT_EQ(history.undoLabel(), "Import");
    EXPECT_EQ(books.productCount(), 2u);
    history.undo();
    EXPECT_EQ(saved(), start);
    EXPECT_EQ(books.ProductCounter, 0) << "the next product is named as before";
}

// A view that, told a product is leaving, stores a value as a grid passing
// through a cell would.
struct StoringView : CatalogueObserver {
    CatalogueChanges& changes;
    TNewProduct* into = nullptr;
    explicit StoringView(CatalogueChanges& c) : changes(c) {}
    void productAboutToBeRemoved(TNewCategory&, std::size_t) override
    {
        if (into)
            changes.setProductField(*into, "Price", "9.99");
    }
};

TEST_F(UndoHistoryTest, NothingIsStoredOrRecordedWhileAStepIsMadeUndoneOrRedone)
{
    TNewCategory& books = changes.addCategory(catalogue.root(), "Add Category");
    TNewProduct& kept = changes.addProduct(books);
    StoringView view(changes);
    catalogue.addObserver(view);
    view.into = &kept;
    const std::string start = saved();

    changes.addProduct(books);
    history.undo(); // removes the new product
    EXPECT_EQ(saved(), start);
    EXPECT_EQ(history.redoLabel(), "New Product") << "the step being undone is kept";
    EXPECT_EQ(history.undoLabel(), "New Product");
    history.redo();
    ASSERT_EQ(books.productCount(), 2u);

    TNewProduct& gone = *books.products().back();
    changes.deleteProduct(gone); // removes a product as the step is made
    EXPECT_EQ(history.undoLabel(), "Delete Product");
    history.undo();
    EXPECT_EQ(history.undoLabel(), "New Product") << "no price step before the deletion";
    EXPECT_EQ(kept.field("Price"), "");
    history.redo(); // removes it again: the redo list stays whole
    history.undo();
    history.undo();
    EXPECT_EQ(history.redoLabel(), "New Product");
    history.redo();
    EXPECT_EQ(history.redoLabel(), "Delete Product");
    catalogue.removeObserver(view);
}

} // namespace
} // namespace qs
