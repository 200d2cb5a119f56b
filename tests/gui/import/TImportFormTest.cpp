#include "gui/import/TImportForm.h"

#include "gui/app/HelpViewer.h"
#include "ScriptedUserInterface.h"
#include "gui/app/TCMForm.h"
#include "gui/ui/TProgressForm.h"
#include "core/app/AppState.h"
#include "core/catalogue/Catalogue.h"
#include "TempFolder.h"
#include "GuiTestSupport.h"
#include "gui/import/ImportActions.h"
#include "gui/import/ImportTableModel.h"
#include "gui/import/TColumnAssignedForm.h"
#include "gui/import/TEmptyCellDlg.h"
#include "gui/import/TTableErrorForm.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

namespace qs::gui {
namespace {

QStringList headings(const QAbstractItemModel& model, Qt::Orientation orientation)
{
    QStringList texts;
    const int count = orientation == Qt::Horizontal ? model.columnCount() : model.rowCount();
    for (int i = 0; i < count; ++i)
        texts << model.headerData(i, orientation).toString();
    return texts;
}

// The importer over a table of three columns, Description assigned by its .sff file.
class TImportFormTest : public ::testing::Test {
protected:
    TImportFormTest()
    {
        state.InfoList.setLines({"Product Name=Text,Optional,\"\",\"\",Yes,No",
                                 "Price=Decimal,Mandatory,\"\",\"Every product needs a price.\",No,No",
                                 "Description=Text,Optional,\"\",\"\",No,No",
                                 "Category=Text,Optional,\"\",\"\",No,No"});
        folder.write("stock.sff", "\t\t\tDescription\r\n");
        table = folder.write("stock.csv", "Name,Price,Notes\r\nKite,\xA3"
                                          "5,High\r\nBall,2,\r\n");
    }

    qs::test::TempFolder folder;
    AppState state{folder.path().string()};
    qs::test::ScriptedUserInterface ui;
    TImportForm form{state, &ui};
    std::string table;
};

TEST_F(TImportFormTest, ShowsTheTableWithRowTypesAndFieldsInItsHeadings)
{
    EXPECT_EQ(form.windowTitle(), "Quaystall DB Database Importer");
    EXPECT_FALSE(form.StringGrid->isVisibleTo(&form));
    ASSERT_TRUE(form.openTable(table));
    EXPECT_TRUE(form.StringGrid->isVisibleTo(&form));
    const QAbstractItemModel& model = *form.StringGrid->model();
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(headings(model, Qt::Horizontal),
              (QStringList{"Not Specified", "Not Specified", "Description (1)"}));
    EXPECT_EQ(headings(model, Qt::Vertical), (QStringList{"Product", "Product", "Product"}));
    EXPECT_EQ(model.index(1, 1).data().toString(), QString::fromUtf8("£5"));

    // A cell edited in place, and shown in the status line when clicked.
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(form.StringGrid->model()->setData(model.index(2, 2), "Round"));
    const QRect cell = form.StringGrid->visualRect(model.index(2, 2));
    QTest::mouseClick(form.StringGrid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(form.StatusInfo->text(), "Round");
    EXPECT_EQ(form.sheet().cell(2, 2), "Round");
}

TEST_F(TImportFormTest, TheRowMenuMarksTheSelectedRowsAndTakesTheFirstRowAsHeadings)
{
    ASSERT_TRUE(form.openTable(table));
    QStringList items;
    for (const QAction* action : form.RowPopup->actions())
        if (!action->isSeparator())
            items << action->text();
    EXPECT_EQ(items, (QStringList{"Set Row As &Product", "Set Row As &Category", "&Don't Import this Row",
                                  "Use &First Row as Headings"}));
    // Pressing a row heading and dragging over the next selects both rows (the header's signals).
    QHeaderView* rows = form.StringGrid->verticalHeader();
    emit rows->sectionPressed(1);
    emit rows->sectionEntered(2);
    form.setSelectedRowsType(RowType::Suppress);
    EXPECT_EQ(headings(*form.StringGrid->model(), Qt::Vertical),
              (QStringList{"Product", "Suppress", "Suppress"}));

    form.useFirstRowAsHeadings();
    EXPECT_EQ(headings(*form.StringGrid->model(), Qt::Vertical).front(), "Suppress");
    EXPECT_EQ(headings(*form.StringGrid->model(), Qt::Horizontal),
              (QStringList{"Not Specified", "Price (1)", "Description (1)"}));
}

TEST_F(TImportFormTest, AColumnForAFieldThatHasOneAsksWhetherToSwitchOrAdd)
{
    ASSERT_TRUE(form.openTable(table));
    EXPECT_EQ(form.SetColumnMenu->title(), "&Set this Column to be...");
    EXPECT_EQ(form.SetColumnMenu->actions().size(), 4);
    const std::size_t description = 2;

    test::whenModalShows(*form.ColumnAssignedForm, [&] { form.ColumnAssignedForm->RevertBtn->click(); });
    form.setColumnField(0, description);
    EXPECT_EQ(
        form.ColumnAssignedForm->MessageLabel->text(),
        "You have already assigned a column to the 'Description' field. Do you wish to switch to the new "
        "column, revert to the old column, or set the new column as an additional one?");
    EXPECT_EQ(headings(*form.StringGrid->model(), Qt::Horizontal).front(), "Not Specified");

    test::whenModalShows(*form.ColumnAssignedForm, [&] { form.ColumnAssignedForm->AddBtn->click(); });
    form.setColumnField(0, description);
    EXPECT_EQ(headings(*form.StringGrid->model(), Qt::Horizontal),
              (QStringList{"Description (2)", "Not Specified", "Description (1)"}));

    test::whenModalShows(*form.ColumnAssignedForm, [&] { form.ColumnAssignedForm->SwitchBtn->click(); });
    form.setColumnField(1, description);
    EXPECT_EQ(headings(*form.StringGrid->model(), Qt::Horizontal),
              (QStringList{"Not Specified", "Description (1)", "Not Specified"}));
    form.unassignColumn(1);
    EXPECT_EQ(headings(*form.StringGrid->model(), Qt::Horizontal),
              (QStringList{"Not Specified", "Not Specified", "Not Specified"}));
}

TEST_F(TImportFormTest, TheEmptyCellAndFieldNotDefinedDialogsAnswerAsChosen)
{
    TEmptyCellDlg& empty = *form.EmptyCellDlg;
    test::whenModalShows(empty, [&] {
        EXPECT_TRUE(empty.BlankRadio->isChecked());
        EXPECT_TRUE(empty.DefaultBox->isChecked());
        empty.PreviousRadio->setChecked(true);
        empty.DefaultBox->setChecked(false);
        empty.accept();
    });
    const EmptyCellReply reply = empty.ask();
    EXPECT_EQ(reply.answer, EmptyCellAnswer::FillFromPrevious);
    EXPECT_FALSE(reply.remember || reply.cancelled);
    test::whenModalShows(empty, [&] {
        EXPECT_TRUE(empty.BlankRadio->isChecked() && empty.DefaultBox->isChecked()) << "afresh each time";
        empty.reject();
    });
    EXPECT_TRUE(empty.ask().cancelled);

    TTableErrorForm& missing = *form.TableErrorForm;
    test::whenModalShows(missing, [&] {
        EXPECT_EQ(missing.windowTitle(), "Field Not Defined");
        EXPECT_TRUE(missing.ReturnRadio->isChecked());
        EXPECT_FALSE(missing.DefaultRadio->isEnabled());
        EXPECT_FALSE(missing.IgnoreRecBox->isEnabled());
        EXPECT_EQ(missing.LeaveBlankRadio->text(), "Leave the 'Product Name' field &blank");
        missing.LeaveBlankRadio->setChecked(true);
        missing.accept();
    });
    MissingFieldAnswer answer = missing.ask({"Product Name", "Mandatory", "Needed.", true}, false);
    EXPECT_TRUE(answer.confirmed);
    EXPECT_EQ(answer.choice, MissingFieldChoice::LeaveBlank);

    test::whenModalShows(missing, [&] {
        EXPECT_TRUE(missing.DefaultRadio->isChecked() && missing.DefaultRadio->isEnabled());
        EXPECT_TRUE(missing.IgnoreRecBox->isEnabled());
        missing.IgnoreRecBox->setChecked(true);
        missing.accept();
    });
    answer = missing.ask({"Description", "Recommended", "Nice.", false}, false);
    EXPECT_EQ(answer.choice, MissingFieldChoice::Default);
    EXPECT_TRUE(answer.ignoreRecommended);
}

TEST_F(TImportFormTest, AddToCatalogueMergesAsOneStepTakesNoInputMeanwhileAndClosesOnYes)
{
    ASSERT_TRUE(form.openTable(table));
    form.sheet().setRowType(0, RowType::Suppress);
    form.model().assign(0, 0, AssignMode::Add);
    form.model().assign(1, 1, AssignMode::Add);
    TNewCategory& toys = state.catalogue.addCategory(state.catalogue.root(), "Toys");

    test::whenModalShows(form, [&] {
        // The empty note of Ball: while it is asked, the importer takes no other command.
        test::whenModalShows(*form.EmptyCellDlg, [&] {
            EXPECT_TRUE(form.merging());
            EXPECT_FALSE(form.AddToCatalogueItem->isEnabled());
            EXPECT_EQ(form.StringGrid->currentIndex(), form.StringGrid->model()->index(2, 2));
            form.addToCatalogue(); // no second merge
            form.close();
            EXPECT_TRUE(form.isVisible());
            form.EmptyCellDlg->accept();
        });
        ui.answers = {Answer::Yes}; // Close Import Window?
        form.addToCatalogue();
    });
    form.execute(toys);

    EXPECT_FALSE(form.isVisible());
    ASSERT_EQ(toys.productCount(), 2u);
    EXPECT_EQ(toys.products()[0]->field("Price"), "5");
    EXPECT_EQ(toys.products()[1]->name(), "Ball");
    EXPECT_EQ(state.history.undoLabel(), "Import");
    EXPECT_TRUE(state.CatalogueModified());
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Close Import Window?"}));
    EXPECT_EQ(folder.read("stock.sff"), "\tProduct Name\tPrice\tDescription\r\n");
}

TEST(ImportActions, TheImportButtonOpensTheImporterForTheSelectedNodeAndSelectsItAfterwards)
{
    qs::test::TempFolder folder;
    AppState state(folder.path().string());
    qs::test::ScriptedUserInterface ui;
    TCMForm form(state, &ui);
    ImportActions actions(form, state, &ui);
    form.setShopOpen(true);
    form.show();
    TNewCategory& toys = state.catalogue.addCategory(state.catalogue.root(), "Toys");
    form.selectNode(toys);
    folder.write("stock.sff", "\tProduct Name\tPrice\tWeight\tDescription\tTax Code\r\n");
    ui.files = {folder.write("stock.csv", "Kite,5,0.1,High,1\r\n")};

    test::whenModalShows(actions.importForm(), [&] {
        EXPECT_TRUE(actions.importForm().windowState() & Qt::WindowMaximized);
        ui.answers = {Answer::Yes};
        actions.importForm().addToCatalogue();
    });
    form.ImportBtn->click();

    ASSERT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_EQ(ui.fileRequests[0].caption, "Choose a database table to import");
    EXPECT_EQ(ui.fileRequests[0].filter,
              "Tab Delimited Database (*.txt)|*.txt|Comma Separated Database (*.csv)|*.csv");
    EXPECT_EQ(ui.fileRequests[0].directory, folder.path().string()); // no Data folder yet
    EXPECT_EQ(toys.productCount(), 1u);
    EXPECT_EQ(form.selectedNode(), &toys);
    EXPECT_EQ(form.actions().undo->text(), "&Undo Import");

    // The dialogs' Help buttons open the page on importing.
    std::filesystem::create_directory(folder.file("Help"));
    folder.write("Help/import.html", "<html><body>Importing</body></html>");
    actions.importForm().TableErrorForm->HelpBtn->click();
    EXPECT_TRUE(form.helpViewer().isVisible());
    EXPECT_EQ(form.helpViewer().Browser->source().fileName(), "import.html");

    // A cancelled file dialog opens nothing.
    std::filesystem::create_directory(folder.file("Data"));
    ui.files = {std::nullopt};
    form.actions().importData->trigger();
    EXPECT_FALSE(actions.importForm().isVisible());
    EXPECT_EQ(ui.fileRequests[1].directory, folder.file("Data"));
}

} // namespace
} // namespace qs::gui
