#include "gui/catalogue/TInspectorForm.h"

#include "ScriptedUserInterface.h"
#include "core/catalogue/Catalogue.h"
#include "core/fields/FieldDefinitions.h"
#include "GuiTestSupport.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace qs::gui {
namespace {

using Changes = ProductInspector::FieldChanges;

class TInspectorFormTest : public ::testing::Test {
protected:
    TInspectorFormTest()
    {
        std::vector<std::string> lines = FieldDefinitions::builtInLines();
        // Prices and weights held once, as in a shop made before types had their own.
        for (std::string& line : lines)
            if (line.starts_with("Weight=") || line.starts_with("Price="))
                line.replace(line.size() - 3, 3, "No");
        lines.push_back("Stock=Text,Optional,\"d\",\"w\",No,Yes");
        definitions.setLines(lines);
        shirt.setField("Product Name", "Tee", ui);
        shirt.setField("Type", "S|M|L", ui);
        shirt.setField("Stock", "1|2", ui);
        shirt.setField("Options", "0|2", ui);
    }

    std::optional<Changes> inspect(const std::function<void()>& act)
    {
        test::whenModalShows(form, act);
        return form.inspect(shirt);
    }

    QStringList row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < form.StringGrid->columnCount(); ++c)
            cells << form.StringGrid->item(r, c)->text();
        return cells;
    }

    FieldDefinitions definitions;
    Catalogue catalogue;
    TNewCategory& shirts = catalogue.addCategory(catalogue.root(), "Shirts");
    TNewProduct& shirt = catalogue.createProduct(shirts);
    qs::test::ScriptedUserInterface ui;
    TInspectorForm form{definitions, ui};
};

TEST_F(TInspectorFormTest, ShowsOneColumnPerTypeAndOkWithoutChangesGivesNone)
{
    EXPECT_EQ(inspect([&] {
                  EXPECT_EQ(form.windowTitle(), "Tee");
                  EXPECT_EQ(form.AdviceLabel->text(),
                            "If there are any fields you do not require, please leave them blank.");
                  EXPECT_EQ(form.NewTypeBtn->text(), "&New Type");
                  EXPECT_EQ(form.DeleteTypeBtn->text(), "&Delete Type");
                  EXPECT_EQ(form.OKBtn->text(), "&OK");
                  EXPECT_EQ(form.CancelBtn->text(), "&Cancel");
                  ASSERT_EQ(form.StringGrid->rowCount(), 2);
                  EXPECT_EQ(form.StringGrid->verticalHeaderItem(0)->text(), "Type");
                  EXPECT_EQ(form.StringGrid->verticalHeaderItem(1)->text(), "Stock");
                  EXPECT_EQ(row(0), (QStringList{"S", "M", "L"}));
                  EXPECT_EQ(row(1), (QStringList{"1", "2", ""}));
                  form.OKBtn->click();
              }),
              Changes{});
}

TEST_F(TInspectorFormTest, TypedCellsNewAndDeletedTypesComeBackOnOk)
{
    ui.inputs = {std::string("XL")};
    ui.answers = {Answer::Yes};
    EXPECT_EQ(inspect([&] {
                  form.StringGrid->item(1, 2)->setText("3");
                  form.NewTypeBtn->click();
                  EXPECT_EQ(row(0), (QStringList{"S", "M", "L", "XL"}));
                  EXPECT_EQ(row(1), (QStringList{"1", "2", "3", ""}));
                  EXPECT_EQ(form.StringGrid->currentColumn(), 3) << "the new type is current";
                  form.StringGrid->setCurrentCell(1, 1);
                  form.DeleteTypeBtn->click();
                  EXPECT_EQ(row(0), (QStringList{"S", "L", "XL"}));
                  // Typing into a cell and pressing OK at once keeps what was typed.
                  form.StringGrid->setCurrentCell(1, 2);
                  QTest::keyClick(form.StringGrid, Qt::Key_4);
                  // The editor that the key opened, whichever widget has the focus.
                  QLineEdit* editor = nullptr;
                  for (QLineEdit* open : form.StringGrid->viewport()->findChildren<QLineEdit*>())
                      if (open->isVisible())
                          editor = open;
                  ASSERT_NE(editor, nullptr);
                  EXPECT_EQ(editor->text(), "4");
                  form.OKBtn->click();
              }),
              (Changes{{"Type", "S|L|XL"}, {"Stock", "1|3|4"}}));
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"New type for Tee:- / ",
                                                    "Are you sure you want to delete this type?"}));
}

TEST_F(TInspectorFormTest, DeleteTypeIsDisabledWithoutATypeAndCancelGivesNothing)
{
    ui.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
    EXPECT_EQ(inspect([&] {
                  for (int i = 0; i < 3; ++i)
                      form.DeleteTypeBtn->click();
                  EXPECT_EQ(form.StringGrid->columnCount(), 0);
                  EXPECT_FALSE(form.DeleteTypeBtn->isEnabled());
                  form.CancelBtn->click();
              }),
              std::nullopt);
}

TEST_F(TInspectorFormTest, ARefusedValueKeepsTheWindowOpen)
{
    EXPECT_EQ(inspect([&] {
                  form.StringGrid->item(1, 0)->setText("1::2");
                  form.OKBtn->click();
                  EXPECT_TRUE(form.isVisible());
                  EXPECT_EQ(ui.texts(), std::vector<std::string>{
                                            "A value cannot contain \"::\", which separates the fields of "
                                            "the catalogue file."});
                  form.StringGrid->item(1, 0)->setText("5");
                  form.OKBtn->click();
              }),
              (Changes{{"Stock", "5|2|"}}));
}

} // namespace
} // namespace qs::gui
