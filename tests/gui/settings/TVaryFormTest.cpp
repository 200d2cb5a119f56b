#include "gui/settings/TVaryForm.h"

#include "DemoShop.h"
#include "GuiTestSupport.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>

namespace qs::gui {
namespace {

class TVaryFormTest : public ::testing::Test, protected qs::test::DemoShop {
protected:
    TVaryFormTest() { writeData("flavours.txt", "Size\tS\tM\tL\r\nColour\tRed\r\nGift wrap\r\n"); }

    std::optional<std::string> edit(const std::string& value, const std::function<void()>& act)
    {
        test::whenModalShows(form, act);
        return form.editOptions(value);
    }

    static QStringList texts(const QListWidget* list)
    {
        QStringList result;
        for (int row = 0; row < list->count(); ++row)
            result << list->item(row)->text();
        return result;
    }

    QStringList ticked() const
    {
        QStringList result;
        for (int row = 0; row < form.VaryBox->count(); ++row)
            if (form.VaryBox->item(row)->checkState() == Qt::Checked)
                result << form.VaryBox->item(row)->text();
        return result;
    }

    std::string file() const { return data("flavours.txt"); }

    TVaryForm form{state, ui};
};

TEST_F(TVaryFormTest, CaptionsAreTheSystems)
{
    EXPECT_EQ(form.windowTitle(), "Product Options");
    QStringList groups;
    for (const QGroupBox* box : form.findChildren<QGroupBox*>())
        groups << box->title();
    EXPECT_EQ(groups, (QStringList{" Options:- ", " Variations:- "}));
    const std::pair<QPushButton*, const char*> buttons[] = {
        {form.AddVarBtn, "Add..."}, {form.BitBtn3, "Edit..."},
        {form.BitBtn4, "Delete"},   {form.AddOptionBtn, "Add..."},
        {form.BitBtn2, "Edit..."},  {form.BitBtn5, "Delete"},
        {form.OKBtn, "OK"},         {form.CancelBtn, "Cancel"}};
    for (const auto& [button, caption] : buttons)
        EXPECT_EQ(test::shownText(button->text()), caption);
    EXPECT_EQ(form.SpeedButton1->arrowType(), Qt::UpArrow);
    EXPECT_EQ(form.SpeedButton2->arrowType(), Qt::DownArrow);
}

TEST_F(TVaryFormTest, TicksShowTheValueAndOkGivesTheNewOne)
{
    EXPECT_EQ(edit("0|2",
                   [&] {
                       EXPECT_EQ(texts(form.VaryBox), (QStringList{"Size", "Colour", "Gift wrap"}));
                       EXPECT_EQ(ticked(), (QStringList{"Size", "Gift wrap"}));
                       EXPECT_EQ(form.OptionBox->count(), 0);
                       form.VaryBox->setCurrentRow(0);
                       EXPECT_EQ(texts(form.OptionBox), (QStringList{"S", "M", "L"}));
                       form.VaryBox->item(0)->setCheckState(Qt::Unchecked);
                       form.VaryBox->item(1)->setCheckState(Qt::Checked);
                       form.OKBtn->click();
                   }),
              "1|2");
    EXPECT_EQ(file(), "Size\tS\tM\tL\r\nColour\tRed\r\nGift wrap\r\n");
}

TEST_F(TVaryFormTest, ButtonsEditTheListsAndDeletingAnOptionShiftsTheTicks)
{
    ui.inputs = {std::string("Fit"), std::string("Slim"), std::string("Regular")};
    ui.answers = {Answer::Yes};
    EXPECT_EQ(edit("1",
                   [&] {
                       form.AddVarBtn->click();
                       EXPECT_EQ(form.VaryBox->currentItem()->text(), "Fit");
                       EXPECT_EQ(form.VaryBox->currentItem()->checkState(), Qt::Unchecked);
                       form.AddOptionBtn->click();
                       form.AddOptionBtn->click();
                       EXPECT_EQ(texts(form.OptionBox), (QStringList{"Slim", "Regular"}));
                       EXPECT_EQ(form.OptionBox->currentRow(), 1);
                       form.SpeedButton1->click();
                       EXPECT_EQ(texts(form.OptionBox), (QStringList{"Regular", "Slim"}));
                       EXPECT_EQ(form.OptionBox->currentRow(), 0);
                       form.VaryBox->setCurrentRow(0);
                       form.BitBtn4->click(); // Size goes; Colour becomes option 0
                       EXPECT_EQ(ticked(), QStringList{"Colour"});
                       form.OKBtn->click();
                   }),
              "0");
    EXPECT_EQ(file(), "Colour\tRed\r\nGift wrap\r\nFit\tRegular\tSlim\r\n");
    EXPECT_TRUE(state.CatalogueModified());
}

TEST_F(TVaryFormTest, CancelKeepsTheFileAndARefusedValueNeverOpens)
{
    ui.inputs = {std::string("Fit")};
    EXPECT_EQ(edit("",
                   [&] {
                       form.AddVarBtn->click();
                       form.CancelBtn->click();
                   }),
              std::nullopt);
    EXPECT_EQ(file(), "Size\tS\tM\tL\r\nColour\tRed\r\nGift wrap\r\n");

    // Were it to open, it is closed again and the test fails.
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (form.isVisible()) {
            ADD_FAILURE() << "the dialog opened";
            form.reject();
        }
    });
    guard.start(10);
    EXPECT_EQ(form.editOptions("3"), std::nullopt);
    EXPECT_EQ(ui.texts().back(), "'3' is not the number of an option in the variations file.");
}

TEST_F(TVaryFormTest, AFileThatCannotBeWrittenKeepsTheDialogOpen)
{
    EXPECT_EQ(edit("2",
                   [&] {
                       std::filesystem::remove_all(state.ShopDataDir());
                       form.OKBtn->click();
                       EXPECT_TRUE(form.isVisible());
                       EXPECT_EQ(ui.texts().back(), "Cannot create file " + state.ShopDataDir() +
                                                        "/flavours.txt: No such file or directory");
                       form.CancelBtn->click();
                   }),
              std::nullopt);
}

} // namespace
} // namespace qs::gui
