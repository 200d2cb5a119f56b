#include "gui/catalogue/grids/CatalogueGrids.h"

#include "gui/catalogue/CatalogueTreeModel.h"
#include "ScriptedUserInterface.h"
#include "gui/app/TCMForm.h"
#include "core/app/AppState.h"
#include "core/catalogue/Catalogue.h"
#include "TempFolder.h"
#include "gui/catalogue/TInspectorForm.h"
#include "gui/catalogue/TMemoTextForm.h"
#include "gui/catalogue/TProdSearchForm.h"
#include "gui/catalogue/grids/CategoryGridModel.h"
#include "gui/catalogue/grids/GridView.h"
#include "gui/catalogue/grids/ProductGridModel.h"
#include "GuiTestSupport.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDrag>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace qs::gui {
namespace {

// The main window with a shop open on "Fruit": Apple (no price of its own)
// and Pear, under a category whose default price is 9.99.
class CatalogueGridsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state = std::make_unique<qs::AppState>(folder.path().string());
        state->LocImg = folder.file("images");
        std::filesystem::create_directories(state->LocImg);
        form = std::make_unique<TCMForm>(*state, &ui);
        form->setShopOpen(true);
        qs::Catalogue& catalogue = state->catalogue;
        fruit = &catalogue.addCategory(catalogue.root(), "Fruit");
        fruit->setDetail("Default Price", "9.99");
        apple = &catalogue.createProduct(*fruit);
        apple->trySetField(qs::FieldNames::intern("Product Name"), "Apple");
        pear = &catalogue.createProduct(*fruit);
        pear->trySetField(qs::FieldNames::intern("Product Name"), "Pear");
        form->show();
        form->selectNode(*fruit);
        tester = std::make_unique<QAbstractItemModelTester>(
            &products(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }

    ProductGridModel& products() const { return form->grids().productModel(); }
    GridView& productView() const { return *form->ProdGrid1; }
    int column(std::string_view field) const
    {
        for (int c = 1; c < products().columnCount(); ++c)
            if (products().grid().field(c) == field)
                return c;
        return -1;
    }
    QModelIndex cell(int row, std::string_view field) const { return products().index(row, column(field)); }

    qs::test::TempFolder folder;
    qs::test::ScriptedUserInterface ui;
    std::unique_ptr<qs::AppState> state;
    std::unique_ptr<TCMForm> form;
    std::unique_ptr<QAbstractItemModelTester> tester;
    qs::TNewCategory* fruit = nullptr;
    qs::TNewProduct* apple = nullptr;
    qs::TNewProduct* pear = nullptr;
};

TEST_F(CatalogueGridsTest, SelectingACategoryShowsItsDetailsAndProducts)
{
    EXPECT_EQ(products().rowCount(), 3) << "two products and the empty row";
    EXPECT_EQ(products().headerData(0, Qt::Horizontal).toString(), "PRODUCT:");
    EXPECT_EQ(products().index(1, 0).data().toString(), "Pear");
    EXPECT_EQ(cell(0, "Price").data().toString(), "9.99");
    EXPECT_EQ(cell(0, "Price").data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 128, 0));
    EXPECT_EQ(productView().currentIndex(), products().index(0, 1));
    productView().setCurrentIndex(cell(1, "Price"));
    EXPECT_EQ(products().index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::gray))
        << "the current product's name";
    EXPECT_NE(products().index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::gray));
    CategoryGridModel& details = form->grids().categoryModel();
    EXPECT_EQ(details.index(0, 1).data().toString(), "Fruit");
    EXPECT_EQ(details.index(3, 1).data().toString(), "(None...)");
    EXPECT_TRUE(form->CatGrid->isVisible());
}

TEST_F(CatalogueGridsTest, PassingThroughAnInheritedValueMakesItTheProductsOwn)
{
    productView().setCurrentIndex(cell(0, "Price"));
    productView().setCurrentIndex(cell(0, "Description"));
    EXPECT_EQ(apple->field("Price"), "9.99");
    EXPECT_EQ(cell(0, "Price").data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 0));
    EXPECT_EQ(state->history.undoLabel(), "Edit Price");
    // A cell chosen through a dialog keeps its value when passed.
    productView().setCurrentIndex(cell(0, "Picture"));
    productView().setCurrentIndex(cell(0, "Weight"));
    EXPECT_EQ(apple->field("Picture"), "");
}

TEST_F(CatalogueGridsTest, AOneCellEditChangesOneRowWithoutAReset)
{
    QSignalSpy resets(&products(), &QAbstractItemModel::modelReset);
    QSignalSpy changed(&products(), &QAbstractItemModel::dataChanged);
    EXPECT_TRUE(products().setData(cell(1, "Price"), "1.25"));
    EXPECT_EQ(pear->field("Price"), "1.25");
    EXPECT_EQ(resets.size(), 0);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), 1);
    EXPECT_EQ(changed[0][1].toModelIndex().row(), 1);
}

TEST_F(CatalogueGridsTest, RefusedCharactersAreToldAndTheOldValueStays)
{
    EXPECT_FALSE(products().setData(cell(1, "Description"), "a::b"));
    EXPECT_FALSE(products().setData(cell(1, "Product Name"), "Apple"));
    EXPECT_TRUE(products().setData(cell(1, "Description"), "two\nlines"));
    EXPECT_EQ(pear->field("Description"), "two<br>lines");
    EXPECT_EQ(pear->name(), "Pear");
    ASSERT_EQ(ui.said.size(), 2u);
    EXPECT_NE(ui.said[0].text.find("\"::\""), std::string::npos);
}

TEST_F(CatalogueGridsTest, DeleteEmptiesADialogCellAndNothingPassesIntoTheNextProduct)
{
    pear->trySetField(qs::FieldNames::intern("Options"), "0");
    productView().setFocus();
    productView().setCurrentIndex(cell(1, "Options"));
    QTest::keyClick(&productView(), Qt::Key_Delete);
    EXPECT_EQ(pear->field("Options"), "");

    // Apple's price cell is entered, Apple is deleted, and Pear now shows in
    // that row: moving on stores nothing into Pear.
    productView().setCurrentIndex(cell(0, "Price"));
    ui.answers.push_back(qs::Answer::Yes);
    form->deleteCommand();
    EXPECT_EQ(fruit->productCount(), 1u);
    productView().setCurrentIndex(cell(0, "Weight"));
    EXPECT_EQ(pear->field("Price"), "");
    // Nor into Apple as it left.
    EXPECT_EQ(state->history.undoLabel(), "Delete Product");
    state->history.undo();
    EXPECT_EQ(apple->field("Price"), "");
    EXPECT_NE(state->history.undoLabel(), "Edit Price");
}

TEST_F(CatalogueGridsTest, TheCurrentRowMarkerFollowsTheProductWhenRowsAboveItGo)
{
    productView().setCurrentIndex(cell(1, "Price"));
    state->changes().deleteProduct(*apple);
    const auto marked = [&](int row) {
        return products().index(row, 0).data(Qt::BackgroundRole).value<QBrush>().color() == QColor(Qt::gray);
    };
    EXPECT_EQ(form->grids().productOnCurrentRow(), pear);
    EXPECT_TRUE(marked(0));
    EXPECT_FALSE(marked(1)) << "the empty last row";
}

TEST_F(CatalogueGridsTest, UndoingANewProductWhoseInheritedCellIsCurrentStoresNothing)
{
    form->newProduct();
    const qs::TNewProduct* added = form->grids().productOnCurrentRow();
    ASSERT_NE(added, nullptr);
    ASSERT_EQ(fruit->productCount(), 3u);
    productView().setCurrentIndex(products().indexOf(*added, column("Price")));
    form->actions().undo->trigger(); // the new row leaves while its green cell is current
    EXPECT_EQ(fruit->productCount(), 2u);
    EXPECT_FALSE(state->history.canUndo());
    EXPECT_EQ(state->history.redoLabel(), "New Product");
    form->actions().redo->trigger();
    EXPECT_EQ(fruit->productCount(), 3u);
    EXPECT_EQ(state->history.undoLabel(), "New Product");
    EXPECT_FALSE(state->history.canRedo());
}

TEST_F(CatalogueGridsTest, WhatIsBeingTypedIsStoredBeforeAnyCommand)
{
    const auto typeInto = [](GridView& view, const QModelIndex& at, const QString& text) {
        view.setFocus();
        view.setCurrentIndex(at);
        QTest::keyClick(&view, text.at(0).toLatin1()); // opens the editor with the key
        QLineEdit* editor = nullptr;
        for (QLineEdit* open : view.viewport()->findChildren<QLineEdit*>())
            if (open->isVisible())
                editor = open;
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, text.mid(1));
    };
    CategoryGridModel& details = form->grids().categoryModel();
    int description = 1;
    while (details.grid().label(description) != "Description")
        ++description;
    const struct {
        const char* what;
        std::function<void()> command;
    } commands[] = {
        {"the New Category button", [&] { form->NewCatBtn->click(); }},
        {"the New Product button", [&] { form->NewProdBtn->click(); }},
        {"Catalogue, Add Category", [&] { form->actions().addCategory->trigger(); }},
        {"Sort Catalogue", [&] { form->actions().sortCatalogue->trigger(); }},
        {"the tree's Add Product", [&] { form->actions().treeAddProduct->trigger(); }},
    };
    int typed = 0;
    for (const auto& c : commands) {
        SCOPED_TRACE(c.what);
        form->selectNode(*fruit);
        const QString weight = QString::number(++typed) + ".5";
        typeInto(productView(), cell(1, "Weight"), weight);
        c.command();
        EXPECT_EQ(pear->field("Weight"), weight.toStdString());
        form->selectNode(*fruit);
        const QString text = "Ripe " + QString::number(typed);
        typeInto(*form->CatGrid, details.index(description, 1), text);
        c.command();
        EXPECT_EQ(fruit->detail("Description"), text.toStdString());
    }
}

TEST_F(CatalogueGridsTest, APictureIsPickedIntoTheImageFolderAndShownAsATip)
{
    folder.write("images/apple.jpg", "not really a picture");
    ui.files.push_back(folder.file("images/apple.jpg"));
    productView().setCurrentIndex(cell(0, "Picture"));
    const QRect at = productView().visualRect(cell(0, "Picture"));
    QTest::mouseDClick(productView().viewport(), Qt::LeftButton, {}, at.center());
    EXPECT_EQ(apple->field("Picture"), "apple.jpg");
    EXPECT_NE(ui.fileRequests.at(0).filter.find("*.webp"), std::string::npos) << "every format the shop shows";
    EXPECT_TRUE(cell(0, "Picture").data(Qt::ToolTipRole).toString().contains("cannot be shown"));
    pear->trySetField(qs::FieldNames::intern("Picture"), "gone.jpg");
    EXPECT_TRUE(
        cell(1, "Picture").data(Qt::ToolTipRole).toString().contains("is not in the shop's image folder"));
}

TEST_F(CatalogueGridsTest, ThePictureChooserStartsWhereTheLastPictureCameFrom)
{
    // A home of the test's own, first without a Pictures folder.
    const QByteArray home = qgetenv("HOME");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(QString::fromStdString(folder.file("home"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(QString::fromStdString(folder.file("home/.config"))));
    std::filesystem::create_directories(folder.file("home"));
    std::filesystem::create_directories(folder.file("outside"));
    folder.write("outside/pear.png", "PNG");
    const auto pick = [&](int row, const std::optional<std::string>& file) {
        ui.files.push_back(file);
        const std::size_t asked = ui.fileRequests.size();
        productView().setCurrentIndex(cell(row, "Picture"));
        const QRect at = productView().visualRect(cell(row, "Picture"));
        QTest::mouseDClick(productView().viewport(), Qt::LeftButton, {}, at.center());
        return ui.fileRequests.size() > asked ? ui.fileRequests.back().directory : std::string("(not asked)");
    };
    EXPECT_EQ(pick(0, std::nullopt), folder.file("home")) << "home, without a Pictures folder";
    std::filesystem::create_directories(folder.file("home/Pictures"));
    // Cancelled: nothing chosen, so nowhere new to remember.
    EXPECT_EQ(pick(0, std::nullopt), folder.file("home"));
    ui.answers.push_back(qs::Answer::Ok); // copy it into the image folder
    EXPECT_EQ(pick(1, folder.file("outside/pear.png")), folder.file("home"));
    EXPECT_EQ(pear->field("Picture"), "pear.png");
    EXPECT_EQ(pick(0, std::nullopt), folder.file("outside")) << "where the last picture came from";
    std::filesystem::remove_all(folder.file("outside"));
    EXPECT_EQ(pick(0, std::nullopt), folder.file("home/Pictures")) << "that folder gone: the Pictures folder";
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", config);
}

TEST_F(CatalogueGridsTest, PricesAndWeightsTheShopCannotReadAreMarkedWhereTheyAreTyped)
{
    const QBrush plain = cell(0, "Price").data(Qt::BackgroundRole).value<QBrush>();
    struct Case {
        const char* field;
        const char* typed;
        bool marked;
    };
    const Case cases[] = {
        {"Price", "12,50", true}, {"Price", "12.50", false}, {"Weight", "600 g", true},
        {"Weight", "600", false}, {"Price", "\xA3" "5|6", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed);
        ui.said.clear();
        ASSERT_TRUE(products().setData(cell(1, c.field), QString::fromLatin1(c.typed)));
        EXPECT_EQ(pear->field(c.field), c.typed) << "stored as typed";
        const QBrush shown = cell(1, c.field).data(Qt::BackgroundRole).value<QBrush>();
        const QString tip = cell(1, c.field).data(Qt::ToolTipRole).toString();
        EXPECT_EQ(shown != plain, c.marked);
        EXPECT_EQ(!tip.isEmpty(), c.marked);
        // Told at once, in the words of the cell's tip.
        ASSERT_EQ(ui.said.size(), c.marked ? 1u : 0u);
        if (c.marked) {
            EXPECT_EQ(QString::fromLatin1(ui.said[0].text), tip);
        }
    }
    // Passing through a marked cell stores it again unchanged: nothing more is said.
    pear->trySetField(qs::FieldNames::intern("Price"), "12,50");
    ui.said.clear();
    productView().setCurrentIndex(cell(1, "Price"));
    productView().setCurrentIndex(cell(1, "Description"));
    ASSERT_TRUE(products().setData(cell(1, "Price"), "12,50"));
    EXPECT_TRUE(ui.said.empty());
    // An inherited price the shop cannot read marks every product that takes it.
    fruit->setDetail("Default Price", "9,99");
    EXPECT_TRUE(cell(0, "Price").data(Qt::ToolTipRole).toString().contains("\"Price on request\""));
}

TEST_F(CatalogueGridsTest, RenamingThroughTheDetailsRenamesTheNodeAndDefaultsShowAtOnce)
{
    CategoryGridModel& details = form->grids().categoryModel();
    QSignalSpy changed(&products(), &QAbstractItemModel::dataChanged);
    EXPECT_TRUE(details.setData(details.index(1, 1), "Fresh Fruit"));
    EXPECT_EQ(fruit->text(), "Fresh Fruit");
    // The products' Category cells show the new path at once.
    const int categoryColumn = column("Category");
    EXPECT_TRUE(std::any_of(changed.begin(), changed.end(), [&](const QList<QVariant>& signal) {
        return signal[0].toModelIndex().column() <= categoryColumn &&
               signal[1].toModelIndex().column() >= categoryColumn && signal[1].toModelIndex().row() >= 1;
    }));
    EXPECT_EQ(cell(1, "Category").data().toString(), "Fresh Fruit");
    EXPECT_EQ(form->treeModel()->indexOf(*fruit).data().toString(), "Fresh Fruit");
    EXPECT_FALSE(details.setData(details.index(1, 1), ""));
    EXPECT_EQ(fruit->text(), "Fresh Fruit");
    EXPECT_TRUE(details.setData(details.index(6, 1), "3.00"));
    EXPECT_EQ(cell(0, "Price").data().toString(), "3.00");
}

TEST_F(CatalogueGridsTest, TypingIsStoredBeforeTheWindowCloses)
{
    productView().setFocus();
    productView().setCurrentIndex(cell(1, "Weight"));
    QTest::keyClick(&productView(), '2'); // opens the editor with the key
    auto* editor = productView().viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, ".5");
    EXPECT_EQ(pear->field("Weight"), "") << "still being typed";
    form->grids().commitTyping();
    EXPECT_EQ(pear->field("Weight"), "2.5");
}

TEST_F(CatalogueGridsTest, DoubleClicksOpenTheCellsDialogAndStoreWhatItGives)
{
    state->catalogue.setProductID(*pear, 7);
    folder.write("flavours.txt", "");
    struct Case {
        const char* field;
        std::function<void(QWidget*)> answer;
        const char* expected; // the field afterwards
        const char* step;     // the step the Edit menu names
    };
    CatalogueGrids& grids = form->grids();
    const Case cases[] = {
        {"Description",
         [&](QWidget*) {
             grids.memoTextForm().TheMemo->setPlainText("Crisp\nand sweet");
             grids.memoTextForm().OKBtn->click();
         },
         "Crisp<br>and sweet", "Edit Description"},
        {"Type",
         [&](QWidget*) {
             QTableWidget& table = *grids.inspectorForm().StringGrid;
             for (int row = 0; row < table.rowCount(); ++row)
                 if (table.verticalHeaderItem(row)->text() == "Type")
                     table.item(row, 0)->setText("Large");
             grids.inspectorForm().OKBtn->click();
         },
         "Large", "Edit Types"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        productView().setCurrentIndex(cell(1, c.field));
        bool opened = false;
        test::whenModalShows([&](QWidget* dialog) {
            opened = true;
            c.answer(dialog);
        });
        const QRect at = productView().visualRect(cell(1, c.field));
        QTest::mouseDClick(productView().viewport(), Qt::LeftButton, {}, at.center());
        EXPECT_TRUE(opened);
        EXPECT_EQ(pear->field(c.field), c.expected);
        EXPECT_EQ(state->history.undoLabel(), c.step);
    }
}

TEST_F(CatalogueGridsTest, TheTextEditorConfirmedUnchangedLeavesAnInheritedValueInherited)
{
    fruit->setDetail("Default Description", "Ripe");
    productView().setCurrentIndex(cell(1, "Description"));
    test::whenModalShows([&](QWidget*) {
        EXPECT_EQ(form->grids().memoTextForm().TheMemo->toPlainText(), "Ripe");
        form->grids().memoTextForm().OKBtn->click();
    });
    const QRect at = productView().visualRect(cell(1, "Description"));
    QTest::mouseDClick(productView().viewport(), Qt::LeftButton, {}, at.center());
    EXPECT_EQ(pear->field("Description"), "");
    EXPECT_FALSE(state->history.canUndo());
    EXPECT_EQ(cell(1, "Price").data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 128, 0));
}

TEST_F(CatalogueGridsTest, SearchGoesToTheProductsRow)
{
    form->setShopOpen(true);
    bool listed = false;
    test::whenModalShows([&](QWidget*) {
        TProdSearchForm& results = form->searchForm();
        listed = results.ResultsBox->model()->rowCount() == 1;
        results.ResultsBox->setCurrentIndex(results.ResultsBox->model()->index(0, 0));
        results.GoToBtn->click();
        results.OKBtn->click();
    });
    form->ProdNameEdit->setText("PEA");
    QTest::keyClick(form->ProdNameEdit, Qt::Key_Return);
    EXPECT_TRUE(listed);
    EXPECT_EQ(form->selectedNode(), fruit);
    EXPECT_EQ(form->grids().productOnCurrentRow(), pear);
}

TEST_F(CatalogueGridsTest, EveryHeadingShowsWhole)
{
    const auto headingsFit = [&] {
        for (int c = 0; c < products().columnCount(); ++c) {
            SCOPED_TRACE(products().headerData(c, Qt::Horizontal).toString().toStdString());
            EXPECT_GE(productView().columnWidth(c), productView().horizontalHeader()->sectionSizeHint(c));
        }
    };
    headingsFit();
    ui.inputs = {std::string("12"), std::string("3")};
    form->actions().customFields->trigger();
    headingsFit();
}

TEST_F(CatalogueGridsTest, CustomFieldsAddColumns)
{
    ui.inputs = {std::string("12"), std::string("3")};
    form->actions().customFields->trigger();
    EXPECT_EQ(products().columnCount(), 15);
    EXPECT_EQ(products().headerData(14, Qt::Horizontal).toString(), "Custom Field 3");
    EXPECT_TRUE(state->CatalogueModified());
}

TEST_F(CatalogueGridsTest, AProductIsDraggedByItsLabelCellOnly)
{
    struct Case {
        int row;
        int column;
        int distance;
        int drags;
    };
    const Case cases[] = {
        {1, 0, 40, 1}, // the label of a product
        {1, 0, 1, 0},  // not far enough to be a drag
        {1, 1, 40, 0}, // the name cell, which selects instead
        {2, 0, 40, 0}, // the empty row's label: no product
    };
    for (const Case& c : cases) {
        QWidget* viewport = productView().viewport();
        const QPoint from = productView().visualRect(products().index(c.row, c.column)).center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, from + QPoint(0, c.distance), viewport->mapToGlobal(from),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &move);
        // A finished drag is deleted later, so it is still there to count.
        const auto drags = productView().findChildren<QDrag*>().size();
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, from);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(drags, c.drags) << "row " << c.row << ", column " << c.column << ", " << c.distance;
    }
}

} // namespace
} // namespace qs::gui
