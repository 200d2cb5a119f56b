#include "gui/catalogue/CatalogueTreeModel.h"
#include "GuiTestSupport.h"
#include "ScriptedUserInterface.h"
#include "gui/app/ShopActions.h"
#include "gui/app/TCMForm.h"
#include "gui/app/TOpenShopForm.h"
#include "core/app/AppState.h"
#include "core/app/Startup.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueFile.h"
#include "TempFolder.h"
#include "gui/catalogue/grids/CatalogueGrids.h"
#include "gui/catalogue/grids/CategoryGridModel.h"
#include "gui/catalogue/grids/GridView.h"
#include "gui/catalogue/grids/ProductGridModel.h"
#include "core/import/ImportCommand.h"
#include "core/import/ImportSheet.h"
#include "core/import/ImportTable.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <sstream>

// The main window walked the way people use it, at random from a seed: after
// every move the window and the catalogue must still agree. QUAYSTALL_WALK_SEEDS
// ("1-10", or one seed) and QUAYSTALL_WALK_STEPS set a longer walk
// (bench/walk/run-walk.sh).

namespace qs::gui {
namespace {

namespace fs = std::filesystem;

// Answers the questions a move prepared answers for, and every other one at
// random, as someone clicking through would.
class WalkingUser : public qs::test::ScriptedUserInterface {
public:
    explicit WalkingUser(std::mt19937& random) : random_(random) {}

    Answer ask(std::string_view text, MessageKind kind, Buttons buttons) override
    {
        if (!answers.empty())
            return ScriptedUserInterface::ask(text, kind, buttons);
        said.push_back({std::string(text), kind, true});
        return random_() % 3 ? Answer::Yes : Answer::No;
    }
    std::optional<std::string> inputText(std::string_view caption, std::string_view prompt,
                                         std::string_view initial) override
    {
        if (!inputs.empty())
            return ScriptedUserInterface::inputText(caption, prompt, initial);
        return std::nullopt;
    }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }

private:
    std::mt19937& random_;
};

// Leaves blank whatever the table has no column for.
class BlankAnswers : public ImportQuestions {
public:
    MissingFieldAnswer missingField(const MissingField&, bool) override
    {
        return {true, MissingFieldChoice::LeaveBlank, false};
    }
    EmptyCellReply emptyCell(const CellPosition&) override { return {}; }
};

std::pair<unsigned, unsigned> seedRange()
{
    const char* text = std::getenv("QUAYSTALL_WALK_SEEDS");
    if (!text || !*text)
        return {1, 10};
    unsigned first = 0, last = 0;
    char dash = 0;
    std::istringstream in(text);
    in >> first;
    if (in >> dash >> last && dash == '-')
        return {first, last};
    return {first, first};
}

int stepCount()
{
    const char* text = std::getenv("QUAYSTALL_WALK_STEPS");
    return text && *text ? std::atoi(text) : 100;
}

class MainWindowWalk : public ::testing::Test {
protected:
    // A new shop in a program folder of the seed's own.
    void open(unsigned seed)
    {
        random.seed(seed);
        actions.reset();
        form.reset();
        programDir = folder.file("seed-" + std::to_string(seed));
        fs::copy(QUAYSTALL_SHARE_PROGRAM, programDir, fs::copy_options::recursive);
        state = std::make_unique<AppState>(programDir);
        form = std::make_unique<TCMForm>(*state, &user);
        actions = std::make_unique<ShopActions>(*form, *state, user);
        ASSERT_TRUE(StartUp(*state, user));
        form->show();
        user.inputs = {std::string("Walk")};
        form->actions().newShop->trigger();
        ASSERT_TRUE(form->isShopOpen());
        snapshots = {catalogueBytes()};
    }

    void TearDown() override
    {
        actions.reset();
        form.reset();
    }

    std::string catalogueBytes() const
    {
        return productFileBytes(state->catalogue) + "--\n" + categoryFileBytes(state->catalogue);
    }

    // The catalogue as a set of lines without their numbers: loading orders
    // the tree alphabetically and numbers the categories anew.
    std::vector<std::string> catalogueLines() const
    {
        std::vector<std::string> lines;
        for (const std::string& file : {productFileBytes(state->catalogue), categoryFileBytes(state->catalogue)}) {
            std::istringstream in(file);
            for (std::string line; std::getline(in, line);)
                lines.push_back(line.substr(line.find("::")));
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    // Two sibling categories of one name are one path in the catalogue files,
    // so they come back as one; a category named like its parent comes back
    // as the parent.
    bool categoriesMergeWhenLoaded() const
    {
        for (const TNewCategory* node : categories()) {
            std::set<std::string_view> names;
            for (const auto& child : node->children())
                if (!names.insert(child->text()).second || (!node->isRoot() && child->text() == node->text()))
                    return true;
        }
        return false;
    }

    template <typename T> T pick(const std::vector<T>& from) { return from[random() % from.size()]; }

    // The root first, then every category.
    std::vector<TNewCategory*> categories() const
    {
        std::vector<TNewCategory*> all;
        std::vector<TNewCategory*> pending{&state->catalogue.root()};
        while (!pending.empty()) {
            TNewCategory* node = pending.back();
            pending.pop_back();
            all.push_back(node);
            for (const auto& child : node->children())
                pending.push_back(child.get());
        }
        return all;
    }

    ProductGridModel& products() const { return form->grids().productModel(); }
    CategoryGridModel& details() const { return form->grids().categoryModel(); }

    QModelIndex randomCell(const QAbstractItemModel& model)
    {
        if (model.rowCount() == 0 || model.columnCount() < 2)
            return QModelIndex();
        return model.index(static_cast<int>(random() % model.rowCount()),
                           1 + static_cast<int>(random() % (model.columnCount() - 1)));
    }

    // Often the price, which a category's default may show in green.
    QModelIndex randomCellOnCurrentRow()
    {
        const QModelIndex current = form->ProdGrid1->currentIndex();
        if (!current.isValid() || products().columnCount() < 2)
            return QModelIndex();
        int column = 1 + static_cast<int>(random() % (products().columnCount() - 1));
        for (int c = 1; random() % 2 && c < products().columnCount(); ++c)
            if (products().grid().field(c) == "Price")
                column = c;
        return products().index(current.row(), column);
    }

    QModelIndex defaultPriceCell() const
    {
        for (int row = 0; row < details().rowCount(); ++row)
            if (details().grid().label(row) == "Default Price")
                return details().index(row, 1);
        return QModelIndex();
    }

    // Typing into a cell opens its editor with the first key; Enter stores.
    void typeInto(GridView& view, const QModelIndex& at, bool enter, QString text = QString())
    {
        if (!at.isValid())
            return;
        static const std::vector<QString> words = {"2.5", "Kite", "9.99", "a::b", "x y", "New Product 1", "7"};
        if (text.isEmpty())
            text = pick(words);
        view.setFocus();
        view.setCurrentIndex(at);
        QTest::keyClick(&view, text.at(0).toLatin1());
        for (QLineEdit* editor : view.viewport()->findChildren<QLineEdit*>()) {
            if (!editor->isVisible())
                continue;
            QTest::keyClicks(editor, text.mid(1));
            if (enter)
                QTest::keyClick(editor, Qt::Key_Return);
        }
    }

    // Mostly a category rather than the root.
    void selectRandomCategory()
    {
        const std::vector<TNewCategory*> all = categories();
        form->selectNode(all.size() > 1 && random() % 4 ? *all[1 + random() % (all.size() - 1)] : *all[0]);
    }

    void dragProduct()
    {
        const int rows = products().rowCount() - 1;
        if (rows <= 0)
            return;
        std::unique_ptr<QMimeData> data(products().mimeData({products().index(random() % rows, 0)}));
        const QModelIndex to = form->treeModel()->indexOf(*pick(categories()));
        if (data && form->treeModel()->canDropMimeData(data.get(), Qt::MoveAction, -1, -1, to))
            form->treeModel()->dropMimeData(data.get(), Qt::MoveAction, -1, -1, to);
    }

    void importTable()
    {
        const std::string table = "Kite,5,Toys\nBall,2,Toys|Outdoor\nKite,7,\nNew Product 1,3,Garden\n";
        ImportSheet sheet(std::make_shared<ImportTable>(table, ','), state->InfoList.count());
        const char* columns[] = {"Product Name", "Price", "Category"};
        for (std::size_t c = 0; c < std::size(columns); ++c)
            sheet.assignments().assign(c, static_cast<std::size_t>(state->InfoList.FieldIndex(columns[c])),
                                       AssignMode::Add);
        BlankAnswers answers;
        ImportCommand command(*state, state->InfoList, *state, user, answers);
        command.answerEveryEmptyCell(EmptyCellAnswer::LeaveBlank);
        TNewCategory* selected = form->selectedNode();
        form->runCommand([&] {
            command.addToCatalogue(sheet, selected ? *selected : state->catalogue.root(),
                                   programDir + "/walk.csv");
        });
    }

    // Saved through the menu, closed, and opened again from the dialog: the
    // same catalogue comes back, with nothing to save.
    void saveAndReopen()
    {
        user.answers = {Answer::Yes}; // "Proceed?"
        form->actions().save->trigger();
        user.answers.clear();
        const std::vector<std::string> before = catalogueLines();
        const bool merging = categoriesMergeWhenLoaded();
        const std::size_t productCount = state->catalogue.productCount();
        ASSERT_FALSE(state->CatalogueModified()) << "saved";
        form->actions().closeShop->trigger();
        ASSERT_FALSE(form->isShopOpen());
        TOpenShopForm& dialog = actions->openShopForm();
        test::whenModalShows([&](QWidget*) {
            const auto found = dialog.ShopsBox->findItems("Walk", Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1);
            dialog.ShopsBox->setCurrentItem(found.first());
            dialog.OKBtn->click();
        });
        form->actions().openShop->trigger();
        ASSERT_TRUE(form->isShopOpen());
        if (merging) {
            EXPECT_EQ(state->catalogue.productCount(), productCount);
        } else {
            EXPECT_EQ(catalogueLines(), before);
        }
        EXPECT_FALSE(state->CatalogueModified());
        snapshots = {catalogueBytes()};
    }

    // One move, by its name for the failure message.
    std::string move()
    {
        switch (random() % 16) {
        case 0:
            selectRandomCategory();
            return "select a category";
        case 1:
            typeInto(*form->ProdGrid1, randomCell(products()), true);
            return "type into a product cell and press Enter";
        case 2:
            typeInto(*form->ProdGrid1, randomCell(products()), false);
            return "type into a product cell without Enter";
        case 3:
            form->ProdGrid1->setFocus();
            form->ProdGrid1->setCurrentIndex(random() % 2 ? randomCellOnCurrentRow() : randomCell(products()));
            return "pass through a product cell";
        case 4:
            // Often a default, which the products without a value of their own show in green.
            typeInto(*form->CatGrid, random() % 2 ? defaultPriceCell() : randomCell(details()), random() % 2);
            return "type into a category detail";
        case 5:
            form->NewProdBtn->click();
            if (random() % 2) {
                form->ProdGrid1->setFocus();
                form->ProdGrid1->setCurrentIndex(randomCellOnCurrentRow());
                return "New Product, then one of its cells";
            }
            return "New Product";
        case 6:
            form->NewCatBtn->click();
            if (random() % 2) {
                typeInto(*form->CatGrid, defaultPriceCell(), true, "9.99");
                return "New Category with a default price";
            }
            return "New Category";
        case 7:
            form->NewSubCatBtn->click();
            return "New Sub-Category";
        case 8:
            form->ProdGrid1->setFocus();
            form->ProdGrid1->setCurrentIndex(randomCell(products()));
            form->DelBtn->click();
            return "delete a product";
        case 9:
            if (random() % 3 == 0) {
                selectRandomCategory();
                form->CatalogueTree->setFocus();
                form->DelBtn->click();
            }
            return "delete a category";
        case 10:
            dragProduct();
            return "drag a product into the tree";
        case 11:
            if (random() % 4 == 0)
                importTable();
            return "import a table";
        case 12:
        case 13:
            storeTypingAsAStep();
            form->actions().undo->trigger();
            return "undo";
        case 14:
            storeTypingAsAStep();
            form->actions().redo->trigger();
            return "redo";
        default:
            if (random() % 4 == 0)
                saveAndReopen();
            return "save and reopen";
        }
    }

    // Undo and Redo store what is being typed first, as a step of its own:
    // stored here, so that the catalogue it leaves is known.
    void storeTypingAsAStep()
    {
        form->commitTyping();
        noteCatalogue(false);
        positionBefore = state->history.position();
    }

    // The catalogue is what it was at each position of the history.
    void noteCatalogue(bool undoOrRedo)
    {
        const std::size_t position = state->history.position();
        const std::string now = catalogueBytes();
        if (!undoOrRedo && position > positionBefore) {
            // A command that stored typing first made two steps: the first is not known.
            snapshots.resize(positionBefore + 1);
            snapshots.resize(position);
            snapshots.push_back(now);
        } else if (position < snapshots.size() && snapshots[position]) {
            EXPECT_EQ(now, *snapshots[position]) << "the catalogue at history position " << position;
        }
    }

    // What must hold after every move.
    void checkInvariants(bool undoOrRedo)
    {
        const UndoHistory& history = state->history;
        const QString undoText = QString::fromStdString(history.undoLabel());
        EXPECT_EQ(form->actions().undo->text(), undoText.isEmpty() ? "&Undo" : "&Undo " + undoText);
        EXPECT_EQ(form->actions().undo->isEnabled(), history.canUndo());
        EXPECT_EQ(form->actions().redo->isEnabled(), history.canRedo());

        TNewCategory* selected = form->selectedNode();
        ASSERT_NE(selected, nullptr) << "the tree always has a selection";
        TNewCategory* shown = selected == &state->catalogue.root() ? nullptr : selected;
        EXPECT_EQ(details().category(), shown) << "the details grid shows the selected category";
        EXPECT_EQ(products().category(), shown) << "the product grid shows the selected category";
        if (shown) {
            EXPECT_EQ(products().rowCount(), static_cast<int>(shown->productCount()) + 1);
        }
        const QModelIndex current = form->ProdGrid1->currentIndex();
        if (shown && current.isValid()) {
            EXPECT_EQ(form->grids().productOnCurrentRow(), products().productAt(current.row()));
        }

        noteCatalogue(undoOrRedo);
        EXPECT_EQ(state->CatalogueModified(), !history.isClean());
    }

    qs::test::TempFolder folder;
    std::string programDir;
    std::mt19937 random;
    WalkingUser user{random};
    std::unique_ptr<AppState> state;
    std::unique_ptr<TCMForm> form;
    std::unique_ptr<ShopActions> actions;
    // The catalogue's bytes at each position of the history since it was opened.
    std::vector<std::optional<std::string>> snapshots;
    std::size_t positionBefore = 0;
};

TEST_F(MainWindowWalk, TheWindowAndTheCatalogueAgreeAfterEveryMove)
{
    const auto [first, last] = seedRange();
    const int steps = stepCount();
    for (unsigned seed = first; seed <= last && !HasFailure(); ++seed) {
        open(seed);
        if (HasFailure())
            break;
        for (int step = 0; step < steps && !HasFailure(); ++step) {
            // Well before the history's limit, so that positions stay put.
            if (state->history.size() > 80)
                saveAndReopen();
            positionBefore = state->history.position();
            SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step));
            const std::string name = move();
            SCOPED_TRACE(name);
            checkInvariants(name == "undo" || name == "redo");
        }
    }
}

} // namespace
} // namespace qs::gui
