#include "gui/app/TCMForm.h"
#include "gui/catalogue/grids/GridView.h"

#include "GuiTestSupport.h"
#include "ScriptedUserInterface.h"
#include "core/app/AppState.h"
#include "core/catalogue/Catalogue.h"
#include "gui/catalogue/CatalogueTreeModel.h"
#include "gui/text/Encoding.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>

namespace qs::gui {
namespace {

using test::itemTexts;
using test::menuTitles;

class TCMFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        buttonsInstalled = test::copyButtons(dir.path());
        state = std::make_unique<qs::AppState>(QFile::encodeName(dir.path()).toStdString());
        form = std::make_unique<TCMForm>(*state, &ui);
        EXPECT_FALSE(form->isShopOpen()) << "the window starts with no shop open";
        // The window's commands work on an open shop's catalogue.
        form->setShopOpen(true);
        tester = std::make_unique<QAbstractItemModelTester>(
            form->treeModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    void TearDown() override
    {
        tester.reset();
        form.reset();
    }

    void activate()
    {
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    CatalogueTreeModel& model() { return *form->treeModel(); }
    qs::Catalogue& catalogue() { return state->catalogue; }
    qs::TNewCategory& root() { return catalogue().root(); }

    // A category made through the core, as a load or import would.
    qs::TNewCategory& category(qs::TNewCategory& parent, const char* name)
    {
        return catalogue().addCategory(parent, name);
    }

    QStringList shownChildren(const qs::TNewCategory& node)
    {
        const QModelIndex parent = model().indexOf(node);
        QStringList texts;
        for (int row = 0; row < model().rowCount(parent); ++row)
            texts << model().index(row, 0, parent).data().toString();
        return texts;
    }

    void clickOn(const qs::TNewCategory& node, Qt::MouseButton button = Qt::LeftButton)
    {
        const QModelIndex at = model().indexOf(node);
        form->CatalogueTree->scrollTo(at);
        QTest::mouseClick(form->CatalogueTree->viewport(), button, Qt::NoModifier,
                          form->CatalogueTree->visualRect(at).center());
    }

    QTemporaryDir dir;
    bool buttonsInstalled = false;
    qs::test::ScriptedUserInterface ui;
    std::unique_ptr<qs::AppState> state;
    std::unique_ptr<TCMForm> form;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

// ------------------------------------------------------------------ look

TEST_F(TCMFormTest, AnOpenShopShowsItsEmptyCatalogue)
{
    EXPECT_EQ(form->windowTitle(), "Quaystall DB");
    EXPECT_TRUE(form->isShopOpen());
    EXPECT_EQ(model().rowCount(), 1);
    EXPECT_EQ(model().rootIndex().data().toString(), "Whole Catalogue");
    EXPECT_EQ(form->selectedNode(), &root());
    EXPECT_TRUE(form->CatalogueTree->isVisible());
    EXPECT_TRUE(form->ToolBar1->isVisible());
    EXPECT_TRUE(form->ToolBar2->isVisible());
    EXPECT_TRUE(form->CategoryPanel->isVisible());
    EXPECT_TRUE(form->ProductPanel->isVisible());
    EXPECT_FALSE(form->CatGrid->isVisible()) << "hidden while the root is selected";
    EXPECT_FALSE(form->ProdGrid1->isVisible());
    EXPECT_EQ(form->CategoryHeading->text(), "Category Details");
    EXPECT_EQ(form->CatGrid->model()->rowCount(), 0);
    EXPECT_EQ(form->ProdGrid1->model()->rowCount(), 0);
    EXPECT_FALSE(state->CatalogueModified());
    EXPECT_TRUE(ui.said.empty());
}

TEST_F(TCMFormTest, ControlsCarryTheSystemsNames)
{
    for (const char* name : {"CatalogueTree", "CatGrid", "ProdGrid1", "ProdNameEdit", "SearchBtn",
                             "CategoryMenu", "SaveBtn", "NewCatBtn", "NewSubCatBtn", "NewProdBtn",
                             "ImportBtn", "ExportBtn", "DelBtn", "PreviewBtn", "PostPackBtn"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(form->findChild<QWidget*>(name), nullptr);
    }
}

TEST_F(TCMFormTest, MainMenuHasEveryItem)
{
    const QList<QMenu*>& menus = form->mainMenu();
    EXPECT_EQ(menuTitles(menus), (QStringList{"&File", "&Edit", "&Sort", "&Options", "&Products",
                                              "Site &Appearance", "&Catalogue", "Pre&view", "&Help"}));
    const QList<QStringList> items = {
        {"&Save", "&Close", "&Import Data from Database", "&Export Data for Upload", "Upload to &Web Host",
         "Fetch &Orders", "&Upload Settings...", "&Location Details", "E&xit"},
        {"&Undo", "&Redo"},
        {"Sort &Catalogue Alphabetically"},
        {"&Admin Security", "C&ustom Fields", "&Customer Details", "&Merchant Details", "&Payment Method",
         "P&ostal Charges", "&Terms and Conditions", "&VAT Information"},
        {"&Alphabetical List of Products", "&Search Catalogue"},
        {"&Catalogue Navigation", "&Online Search Fields"},
        {"Add &Category", "Add &Sub-Category", "New &Product"},
        {"&View Preview", "&Administrators' Pages", "Preview &Settings"},
        {"&About", "&Contents"},
    };
    ASSERT_EQ(menus.size(), items.size());
    for (qsizetype i = 0; i < menus.size(); ++i) {
        SCOPED_TRACE(menus[i]->title().toStdString());
        EXPECT_EQ(itemTexts(menus[i]), items[i]);
    }
    EXPECT_EQ(form->actions().save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    // What the menu bar shows while a shop is open.
    EXPECT_EQ(form->menuBar()->actions().size(), menus.size());
    for (qsizetype i = 0; i < menus.size(); ++i)
        EXPECT_EQ(form->menuBar()->actions()[i], menus[i]->menuAction());
}

TEST_F(TCMFormTest, CtrlSRunsSaveWhileAShopIsOpen)
{
    activate();
    QSignalSpy saves(form->actions().save, &QAction::triggered);
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves.size(), 1);
    form->setShopOpen(false);
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves.size(), 1) << "MainMenu is not shown without a shop";
}

TEST_F(TCMFormTest, NoCatMenuAndCategoryMenu)
{
    const QList<QMenu*>& menus = form->noCatMenu();
    EXPECT_EQ(menuTitles(menus), (QStringList{"&File", "&Help"}));
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(itemTexts(menus[0]),
              (QStringList{"&Open Shop...", "&New Shop", "&Delete a Shop", "&Location Details", "E&xit"}));
    EXPECT_EQ(itemTexts(menus[1]), (QStringList{"&About", "&Contents"}));
    EXPECT_EQ(itemTexts(form->categoryMenu()), (QStringList{"&Delete", "Add &Category", "Add &Product"}));
}

TEST_F(TCMFormTest, TheTwoStates)
{
    form->setShopOpen(false);
    EXPECT_FALSE(form->isShopOpen());
    EXPECT_EQ(form->menuBar()->actions().size(), 2);
    EXPECT_EQ(form->menuBar()->actions()[0], form->noCatMenu()[0]->menuAction());
    for (QWidget* hidden :
         {static_cast<QWidget*>(form->ToolBar1), static_cast<QWidget*>(form->ToolBar2),
          static_cast<QWidget*>(form->CatalogueTree), form->CategoryPanel, form->ProductPanel,
          static_cast<QWidget*>(form->VertSplitter), static_cast<QWidget*>(form->HorzSplitter)})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();

    form->setShopOpen(true);
    EXPECT_TRUE(form->isShopOpen());
    EXPECT_EQ(form->menuBar()->actions().size(), form->mainMenu().size());
    EXPECT_TRUE(form->CatalogueTree->isVisible());
    EXPECT_TRUE(form->ToolBar1->isVisible());
    EXPECT_EQ(form->selectedNode(), &root());
}

TEST_F(TCMFormTest, ToolBar1HasTheTenButtons)
{
    struct Button {
        const char* name;
        const char* caption;
        const char* hint;
        const char* image;
    };
    const std::vector<Button> buttons = {
        {"SaveBtn", "Save", "Save Catalogue", "save"},
        {"NewCatBtn", "New Category", "New Category", "category"},
        {"NewSubCatBtn", "New Sub-Category", "New Sub-Category", "sub-category"},
        {"NewProdBtn", "New Product", "New Product", "new"},
        {"ImportBtn", "Import", "Import Data from Database", "import"},
        {"ExportBtn", "Export", "Export Data to Upload Directory", "export"},
        {"UploadBtn", "Upload", "Upload your shop to your web host", "upload"},
        {"DelBtn", "Delete", "Delete", "delete"},
        {"PreviewBtn", "Preview", "Preview your site", "catologue"},
        {"PostPackBtn", "Postage", "Postage & Packing", "post"},
    };
    QStringList order;
    for (QAction* action : form->ToolBar1->actions())
        if (QWidget* w = form->ToolBar1->widgetForAction(action); w && !action->isSeparator())
            order << w->objectName();
    QStringList expectedOrder;
    for (const Button& b : buttons)
        expectedOrder << b.name;
    EXPECT_EQ(order, expectedOrder);

    for (const Button& b : buttons) {
        SCOPED_TRACE(b.name);
        auto* button = form->findChild<QToolButton*>(b.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), b.caption);
        EXPECT_EQ(button->toolTip(), b.hint);
        EXPECT_EQ(button->size(), QSize(54, 49));
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        const int slot = button->property("imageSlot").toInt();
        EXPECT_EQ(ToolBarImages::slotNames()[static_cast<std::size_t>(slot)], std::string(b.image));
        if (buttonsInstalled) {
            EXPECT_FALSE(button->icon().isNull());
            EXPECT_FALSE(form->toolBarImages().normal(slot).isNull());
            EXPECT_FALSE(form->toolBarImages().hot(slot).isNull());
        }
    }
}

TEST_F(TCMFormTest, ToolBar2SearchesAndSelectsAllOnEntry)
{
    EXPECT_EQ(form->SearchLabel->text(), "Search for: ");
    EXPECT_EQ(form->SearchBtn->text(), "Go");
    activate();

    QSignalSpy searches(form.get(), &TCMForm::searchRequested);
    form->ProdNameEdit->setText("pear");
    form->SearchBtn->click();
    ASSERT_EQ(searches.size(), 1);
    EXPECT_EQ(searches[0][0].toString(), "pear");

    form->CatalogueTree->setFocus();
    form->ProdNameEdit->deselect();
    form->actions().searchCatalogue->trigger(); // Products, Search Catalogue
    QTRY_COMPARE(form->ProdNameEdit->selectedText(), QString("pear"));
    EXPECT_EQ(form->focusWidget(), form->ProdNameEdit);
}

// ------------------------------------------------------------------ commands

TEST_F(TCMFormTest, AddCategoryAlwaysAddsUnderTheRootAndSelectsIt)
{
    form->actions().addCategory->trigger();
    form->NewCatBtn->click();
    EXPECT_EQ(shownChildren(root()), (QStringList{"New Category", "New Category"}));
    qs::TNewCategory* second = root().children()[1].get();
    EXPECT_EQ(form->selectedNode(), second);
    EXPECT_EQ(form->editorState().CurrentCategory, second);
    EXPECT_TRUE(form->CatGrid->isVisible());
    EXPECT_TRUE(form->ProdGrid1->isVisible());
    EXPECT_TRUE(state->CatalogueModified());

    // With a sub-category selected, still under the root.
    qs::TNewCategory& child = category(*second, "Child");
    form->selectNode(child);
    form->NewCatBtn->click();
    EXPECT_EQ(root().children().size(), 3u);
    EXPECT_FALSE(form->editorState().CategoryEdited);
    EXPECT_TRUE(ui.said.empty());
}

TEST_F(TCMFormTest, AddSubCategoryGoesUnderTheSelectedNode)
{
    qs::TNewCategory& fruit = category(root(), "Fruit");
    form->selectNode(fruit);
    form->NewSubCatBtn->click();
    ASSERT_EQ(fruit.children().size(), 1u);
    qs::TNewCategory* added = fruit.children()[0].get();
    EXPECT_EQ(form->selectedNode(), added);
    EXPECT_TRUE(form->CatalogueTree->isExpanded(model().indexOf(fruit)));
    EXPECT_TRUE(state->CatalogueModified());

    form->selectNode(*added);
    form->actions().addSubCategory->trigger();
    EXPECT_EQ(added->children().size(), 1u);

    // Under the root it behaves like Add Category.
    form->selectNode(root());
    form->actions().addSubCategory->trigger();
    EXPECT_EQ(shownChildren(root()), (QStringList{"Fruit", "New Category"}));
}

TEST_F(TCMFormTest, ContextMenuActsOnTheNodeClicked)
{
    qs::TNewCategory& fruit = category(root(), "Fruit");
    qs::TNewCategory& veg = category(root(), "Veg");
    form->selectNode(fruit);

    clickOn(veg, Qt::RightButton);
    EXPECT_EQ(form->selectedNode(), &veg) << "a right click selects the node under the mouse";
    const QModelIndex vegIndex = model().indexOf(veg);
    emit form->CatalogueTree->customContextMenuRequested(form->CatalogueTree->visualRect(vegIndex).center());
    EXPECT_TRUE(form->categoryMenu()->isVisible());
    form->categoryMenu()->hide();

    form->actions().treeAddCategory->trigger(); // "Add &Category": a sub-category of the node clicked
    EXPECT_EQ(veg.children().size(), 1u);
    EXPECT_EQ(fruit.children().size(), 0u);

    form->selectNode(fruit);
    form->actions().treeAddProduct->trigger();
    EXPECT_EQ(fruit.productCount(), 1u);

    ui.answers.push_back(qs::Answer::Yes);
    form->actions().treeDelete->trigger();
    EXPECT_EQ(shownChildren(root()), QStringList{"Veg"});
}

TEST_F(TCMFormTest, NewProductAndItsRefusals)
{
    form->actions().newProduct->trigger();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Please create a category before creating products."});

    qs::TNewCategory& fruit = category(root(), "Fruit");
    category(fruit, "Apples");
    ui.said.clear();
    form->selectNode(fruit);
    form->NewProdBtn->click();
    ASSERT_EQ(ui.said.size(), 1u);
    EXPECT_EQ(ui.said[0].text, "Fruit contains sub-categories,\r\ncannot add products at this level");
    EXPECT_EQ(ui.said[0].kind, qs::MessageKind::Information);
    EXPECT_FALSE(state->CatalogueModified());

    qs::TNewCategory& veg = category(root(), "Veg");
    form->selectNode(veg);
    form->NewProdBtn->click();
    form->actions().newProduct->trigger();
    ASSERT_EQ(veg.productCount(), 2u);
    EXPECT_EQ(veg.products()[0]->name(), "New Product 0");
    EXPECT_EQ(veg.products()[1]->name(), "New Product 1");
    EXPECT_EQ(form->editorState().CurrentProduct, veg.products()[1].get());
    EXPECT_TRUE(state->CatalogueModified());
    EXPECT_EQ(ui.said.size(), 1u);
}

TEST_F(TCMFormTest, DeleteAsksAndObeys)
{
    activate();
    qs::TNewCategory& fruit = category(root(), "Fruit");
    category(fruit, "Apples");
    catalogue().createProduct(fruit);
    category(root(), "Veg");
    form->selectNode(fruit);
    form->CatalogueTree->setFocus();
    ASSERT_EQ(form->focusWidget(), form->CatalogueTree);

    ui.answers.push_back(qs::Answer::No);
    form->DelBtn->click();
    EXPECT_EQ(shownChildren(root()), (QStringList{"Fruit", "Veg"}));
    EXPECT_FALSE(state->CatalogueModified());

    ui.answers.push_back(qs::Answer::Yes);
    form->DelBtn->click();
    EXPECT_EQ(shownChildren(root()), QStringList{"Veg"});
    EXPECT_EQ(catalogue().productCount(), 0u);
    EXPECT_TRUE(state->CatalogueModified());
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{
                  "Are you sure you want to delete Fruit and all the products in this category?",
                  "Are you sure you want to delete Fruit and all the products in this category?"}));
    EXPECT_EQ(ui.said[0].kind, qs::MessageKind::Warning);
    EXPECT_NE(form->selectedNode(), nullptr) << "something stays selected";

    ui.said.clear();
    form->selectNode(root());
    form->DelBtn->click();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"You can't delete the entire catalogue!"});
    EXPECT_EQ(shownChildren(root()), QStringList{"Veg"});

    // With the focus elsewhere, nothing happens.
    ui.said.clear();
    form->ProdNameEdit->setFocus();
    form->selectNode(*root().children()[0]);
    form->DelBtn->click();
    EXPECT_TRUE(ui.said.empty());
    EXPECT_EQ(shownChildren(root()), QStringList{"Veg"});
}

TEST_F(TCMFormTest, KeysInTheTree)
{
    qs::TNewCategory& fruit = category(root(), "Fruit");
    qs::TNewCategory& apples = category(fruit, "Apples");
    form->selectNode(apples);
    QTreeView* tree = form->CatalogueTree;

    QTest::keyClick(tree, Qt::Key_Insert); // Add Category: under the root
    EXPECT_EQ(shownChildren(root()), (QStringList{"Fruit", "New Category"}));
    QTest::keyClick(tree, Qt::Key_Insert, Qt::ControlModifier); // any other modifier: the same
    EXPECT_EQ(root().children().size(), 3u);

    form->selectNode(apples);
    QTest::keyClick(tree, Qt::Key_Insert, Qt::ShiftModifier); // New Product
    EXPECT_EQ(apples.productCount(), 1u);

    // Shift+Delete: the product grid's current product, never the category.
    ui.answers.push_back(qs::Answer::No);
    QTest::keyClick(tree, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Are you sure you want to delete New Product 0?"});
    EXPECT_EQ(apples.productCount(), 1u);
    EXPECT_EQ(fruit.children().size(), 1u);
    ui.said.clear();

    form->selectNode(apples);
    ui.answers.push_back(qs::Answer::Yes);
    QTest::keyClick(tree, Qt::Key_Delete); // Delete: the selected category
    EXPECT_EQ(ui.texts(),
              std::vector<std::string>{
                  "Are you sure you want to delete Apples and all the products in this category?"});
    EXPECT_EQ(fruit.children().size(), 0u);

    ui.said.clear();
    form->selectNode(root());
    QTest::keyClick(tree, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"You can't delete the entire catalogue!"});
}

TEST_F(TCMFormTest, SortPutsEveryLevelInLinguisticOrder)
{
    for (const char* name : {"Zebra", "banana",
                             "\xC9"
                             "clair",
                             "Apple", "apple"}) {
        form->addCategory();
        ASSERT_TRUE(form->selectedNode()->setDetail("Category Name", name));
    }
    qs::TNewCategory* banana = root().childNamed("banana");
    ASSERT_NE(banana, nullptr);
    for (const char* name : {"b", "B", "a"})
        category(*banana, name);
    form->selectNode(*banana);
    EXPECT_EQ(shownChildren(root()),
              (QStringList{"Zebra", "banana", QString::fromUtf8("Éclair"), "Apple", "apple"}));

    form->actions().sortCatalogue->trigger();

    EXPECT_EQ(shownChildren(root()),
              (QStringList{"apple", "Apple", "banana", QString::fromUtf8("Éclair"), "Zebra"}));
    EXPECT_EQ(shownChildren(*banana), (QStringList{"a", "b", "B"}));
    EXPECT_EQ(form->selectedNode(), banana) << "the selection follows its node";
    EXPECT_EQ(form->CatalogueTree->currentIndex(), model().indexOf(*banana));
}

TEST_F(TCMFormTest, RenamesShowInTheTree)
{
    qs::TNewCategory& fruit = category(root(), "Fruit");
    QSignalSpy changed(&model(), &QAbstractItemModel::dataChanged);
    fruit.setDetail("Category Name", "Caf\xE9");
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(model().indexOf(fruit).data().toString(), QString::fromUtf8("Café"));
}

TEST_F(TCMFormTest, CategoryDragAndDrop)
{
    qs::TNewCategory& fruit = category(root(), "Fruit");
    qs::TNewCategory& apples = category(fruit, "Apples");
    qs::TNewCategory& cox = category(apples, "Cox");
    qs::TNewCategory& veg = category(root(), "Veg");
    form->selectNode(fruit);

    const QModelIndex fruitIndex = model().indexOf(fruit);
    EXPECT_TRUE(model().flags(fruitIndex) & Qt::ItemIsDragEnabled);
    EXPECT_FALSE(model().flags(model().rootIndex()) & Qt::ItemIsDragEnabled);
    EXPECT_EQ(model().mimeData({model().rootIndex()}), nullptr) << "the root is not dragged";

    std::unique_ptr<QMimeData> drag(model().mimeData({fruitIndex}));
    ASSERT_TRUE(drag);
    EXPECT_TRUE(drag->hasFormat(CatalogueTreeModel::categoryMimeType));

    // Not over itself.
    EXPECT_FALSE(model().canDropMimeData(drag.get(), Qt::MoveAction, -1, -1, fruitIndex));
    EXPECT_FALSE(model().dropMimeData(drag.get(), Qt::MoveAction, -1, -1, fruitIndex));
    // Over its descendants it is accepted, but the drop changes nothing.
    for (const qs::TNewCategory* below : {&apples, &cox}) {
        const QModelIndex at = model().indexOf(*below);
        EXPECT_TRUE(model().canDropMimeData(drag.get(), Qt::MoveAction, -1, -1, at));
        EXPECT_FALSE(model().dropMimeData(drag.get(), Qt::MoveAction, -1, -1, at));
    }
    EXPECT_EQ(shownChildren(root()), (QStringList{"Fruit", "Veg"}));
    EXPECT_EQ(shownChildren(fruit), QStringList{"Apples"});
    EXPECT_FALSE(state->CatalogueModified());
    // Never between two nodes, nor onto empty space.
    EXPECT_FALSE(model().canDropMimeData(drag.get(), Qt::MoveAction, 0, 0, model().rootIndex()));
    EXPECT_FALSE(model().canDropMimeData(drag.get(), Qt::MoveAction, -1, -1, QModelIndex()));

    // Elsewhere it becomes the last child of the node, with all below it.
    EXPECT_TRUE(model().dropMimeData(drag.get(), Qt::MoveAction, -1, -1, model().indexOf(veg)));
    EXPECT_EQ(shownChildren(root()), QStringList{"Veg"});
    EXPECT_EQ(shownChildren(veg), QStringList{"Fruit"});
    EXPECT_EQ(shownChildren(apples), QStringList{"Cox"});
    EXPECT_EQ(fruit.parent(), &veg);
    EXPECT_TRUE(state->CatalogueModified());
    EXPECT_EQ(form->selectedNode(), &fruit) << "the dragged node stays selected";
    EXPECT_TRUE(form->CatalogueTree->isExpanded(model().indexOf(veg)));

    // A used drag is not taken again, nor one this model did not start.
    EXPECT_FALSE(model().canDropMimeData(drag.get(), Qt::MoveAction, -1, -1, model().rootIndex()));
    QMimeData forged;
    forged.setData(CatalogueTreeModel::categoryMimeType, QByteArray("\x01\x02\x03"));
    EXPECT_FALSE(model().canDropMimeData(&forged, Qt::MoveAction, -1, -1, model().rootIndex()));

    // Back onto the root, as its last child.
    std::unique_ptr<QMimeData> again(model().mimeData({model().indexOf(fruit)}));
    EXPECT_TRUE(model().dropMimeData(again.get(), Qt::MoveAction, -1, -1, model().rootIndex()));
    EXPECT_EQ(shownChildren(root()), (QStringList{"Veg", "Fruit"}));
}

TEST_F(TCMFormTest, ProductDropFromTheProductGrid)
{
    qs::TNewCategory& fruit = category(root(), "Fruit");
    qs::TNewCategory& veg = category(root(), "Veg");
    category(veg, "Roots");
    form->selectNode(fruit);
    form->newProduct();
    qs::TNewProduct* pear = form->editorState().CurrentProduct;
    ASSERT_NE(pear, nullptr);
    state->SettingsModified = false;

    std::unique_ptr<QMimeData> drag(CatalogueTreeModel::productMimeData(*pear));
    EXPECT_FALSE(model().canDropMimeData(drag.get(), Qt::MoveAction, -1, -1, model().indexOf(fruit)))
        << "not onto its own category";
    EXPECT_FALSE(model().canDropMimeData(drag.get(), Qt::MoveAction, -1, -1, model().rootIndex()));

    QByteArray foreignBytes;
    {
        QDataStream out(&foreignBytes, QIODevice::WriteOnly);
        out << static_cast<qint64>(QCoreApplication::applicationPid() + 1) << static_cast<quint64>(pear->ID);
    }
    QMimeData foreign;
    foreign.setData(CatalogueTreeModel::productMimeType, foreignBytes);
    EXPECT_FALSE(model().canDropMimeData(&foreign, Qt::MoveAction, -1, -1, model().indexOf(veg)))
        << "a drag from another running copy";

    EXPECT_TRUE(model().canDropMimeData(drag.get(), Qt::MoveAction, -1, -1, model().indexOf(veg)))
        << "a category with sub-categories takes products dragged onto it";
    EXPECT_TRUE(model().dropMimeData(drag.get(), Qt::MoveAction, -1, -1, model().indexOf(veg)));
    EXPECT_EQ(pear->Category, &veg);
    EXPECT_EQ(fruit.productCount(), 0u);
    EXPECT_EQ(form->editorState().CurrentProduct, nullptr);
    EXPECT_TRUE(state->CatalogueModified());

    // No longer current: refused.
    EXPECT_FALSE(model().canDropMimeData(drag.get(), Qt::MoveAction, -1, -1, model().indexOf(fruit)));
}

TEST_F(TCMFormTest, HelpAboutShowsTheVersionAndTheFolders)
{
    form->actions().about->trigger();
    form->actions().noShopAbout->trigger();
    const std::string about = "Quaystall DB v" QUAYSTALL_VERSION "\r\n\r\nProgram folder: " + state->ProgramDir +
                              "\r\nShops' scripts and data: " + state->LocCGI +
                              "\r\nShops' pictures: " + state->LocImg + "\r\nUpload folder: " +
                              state->ProgramDir + "/upload";
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{about, about}));
    EXPECT_EQ(ui.said[0].kind, qs::MessageKind::About);
}

TEST_F(TCMFormTest, ItemsWhoseCommandsComeLaterShowNothing)
{
    const TCMForm::Actions& a = form->actions();
    for (QAction* later : {a.save,
                           a.closeShop,
                           a.importData,
                           a.exportData,
                           a.locationDetails,
                           a.adminSecurity,
                           a.customerDetails,
                           a.merchantDetails,
                           a.paymentMethod,
                           a.postalCharges,
                           a.termsAndConditions,
                           a.vatInformation,

                           a.catalogueNavigation,
                           a.onlineSearchFields,
                           a.viewPreview,
                           a.previewSettings,
                           a.contents,
                           a.openShop,
                           a.newShop,
                           a.deleteShop,
                           a.noShopLocationDetails,
                           a.noShopContents}) {
        ASSERT_NE(later, nullptr);
        later->trigger();
    }
    for (QToolButton* button :
         {form->SaveBtn, form->ImportBtn, form->ExportBtn, form->PreviewBtn, form->PostPackBtn})
        button->click();
    EXPECT_TRUE(ui.said.empty()) << "no box pretends to do what another part will do";

    // The buttons run the menu items' commands.
    QSignalSpy saves(a.save, &QAction::triggered);
    QSignalSpy postage(a.postalCharges, &QAction::triggered);
    form->SaveBtn->click();
    form->PostPackBtn->click();
    EXPECT_EQ(saves.size(), 1);
    EXPECT_EQ(postage.size(), 1);
}

TEST_F(TCMFormTest, CloseQueryOnExit)
{
    int saves = 0;
    int locationWrites = 0;
    form->commands().saveCatalogue = [&] {
        ++saves;
        return qs::SaveOutcome::Saved;
    };
    form->commands().writeProgramLocation = [&] { ++locationWrites; };
    form->addCategory();
    ASSERT_TRUE(state->CatalogueModified());

    ui.answers.push_back(qs::Answer::Cancel);
    form->actions().exit->trigger();
    EXPECT_TRUE(form->isVisible()) << "Cancel keeps the window open";
    EXPECT_EQ(locationWrites, 1) << "but the location file is written";
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Do you wish to save the catalogue?"});

    ui.answers.push_back(qs::Answer::Yes);
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(locationWrites, 2);
}

TEST_F(TCMFormTest, AFailedSaveIsReportedAndTheWindowStays)
{
    int locationWrites = 0;
    form->commands().saveCatalogue = []() -> qs::SaveOutcome {
        throw std::runtime_error("Cannot create file shop.data");
    };
    form->commands().writeProgramLocation = [&] { ++locationWrites; };
    state->SettingsModified = true;
    ui.answers.push_back(qs::Answer::Yes);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(locationWrites, 1);
    ASSERT_EQ(ui.said.size(), 2u);
    EXPECT_EQ(ui.said[1].text, "Cannot create file shop.data");
    EXPECT_EQ(ui.said[1].kind, qs::MessageKind::Error);
}

TEST_F(TCMFormTest, NoSaveQuestionWithoutAShop)
{
    int locationWrites = 0;
    form->commands().writeProgramLocation = [&] { ++locationWrites; };
    state->SettingsModified = true;
    form->setShopOpen(false);
    form->actions().noShopExit->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(ui.said.empty());
    EXPECT_EQ(locationWrites, 1);
}

TEST_F(TCMFormTest, FirstActivationIsAnnouncedOnce)
{
    // A window of its own, so that its first activation is seen here.
    qs::AppState other(QFile::encodeName(dir.path()).toStdString());
    TCMForm second(other, &ui);
    QSignalSpy first(&second, &TCMForm::firstActivated);
    second.show();
    second.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&second));
    QTRY_COMPARE(first.size(), 1);
    activate();
    second.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&second));
    QTest::qWait(20);
    EXPECT_EQ(first.size(), 1);
}

TEST_F(TCMFormTest, ClearingTheCatalogueSelectsTheRoot)
{
    qs::TNewCategory& fruit = category(root(), "Fruit");
    form->selectNode(fruit);
    EXPECT_EQ(form->editorState().CurrentCategory, &fruit);
    form->commands().clearTree();
    EXPECT_EQ(form->selectedNode(), &root());
    EXPECT_EQ(form->editorState().CurrentCategory, nullptr);
    EXPECT_FALSE(form->CatGrid->isVisible());
    EXPECT_EQ(model().rowCount(model().rootIndex()), 0);
}

TEST_F(TCMFormTest, ABulkChangeIsShownAfterItEnds)
{
    {
        qs::Catalogue::BulkChange bulk(catalogue());
        qs::TNewCategory& books = catalogue().addCategory(root(), "Books");
        for (int i = 0; i < 200; ++i)
            catalogue().addCategory(books, "Shelf");
    }
    EXPECT_EQ(shownChildren(root()), QStringList{"Books"});
    EXPECT_EQ(model().rowCount(model().indexOf(*root().children()[0])), 200);
    EXPECT_EQ(form->selectedNode(), &root());
}

// A load or an import replaces the categories the tree shows while the
// progress window lets the windows paint: the tree must never reach for a
// category that is gone.
TEST_F(TCMFormTest, TheTreePaintsSafelyWhileABulkChangeReplacesItsCategories)
{
    qs::TNewCategory& fruit = category(root(), "Fruit");
    for (int i = 0; i < 50; ++i)
        catalogue().addCategory(fruit, "Apple " + std::to_string(i));
    form->selectNode(*fruit.children().back());
    form->CatalogueTree->expandAll();
    QCoreApplication::processEvents();
    {
        qs::Catalogue::BulkChange bulk(catalogue());
        catalogue().clear();
        form->CatalogueTree->viewport()->repaint();
        QCoreApplication::processEvents();
        catalogue().addCategory(catalogue().root(), "Veg");
        form->CatalogueTree->viewport()->repaint();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(shownChildren(root()), QStringList{"Veg"});
}

} // namespace
} // namespace qs::gui

namespace qs::gui {
namespace {

TEST(TCMFormWithoutButtons, MissingImagesDoNotMatter)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    qs::AppState state(QFile::encodeName(dir.path()).toStdString());
    qs::test::ScriptedUserInterface ui;
    TCMForm form(state, &ui);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    for (int slot = 0; slot < ToolBarImages::slotCount; ++slot) {
        EXPECT_TRUE(form.toolBarImages().normal(slot).isNull());
        EXPECT_TRUE(form.toolBarImages().hot(slot).isNull());
    }
    EXPECT_TRUE(form.SaveBtn->icon().isNull());
    EXPECT_EQ(form.SaveBtn->size(), QSize(54, 49));
    form.NewCatBtn->click();
    EXPECT_EQ(state.catalogue.categoryCount(), 1u);
    EXPECT_TRUE(ui.said.empty());
}

} // namespace
} // namespace qs::gui
