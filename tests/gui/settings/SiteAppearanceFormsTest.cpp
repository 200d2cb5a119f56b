// The Site Appearance dialogs: catalogue navigation and online search fields.
#include "gui/settings/TLevelTextForm.h"
#include "gui/settings/TSearchCFGForm.h"

#include "ShopOptionsTest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace qs::gui {
namespace {

using SiteAppearanceFormsTest = test::ShopOptionsTest;

TEST_F(SiteAppearanceFormsTest, NavigationTextsKeepEveryLevel)
{
    TLevelTextForm form(state, ui);
    EXPECT_EQ(form.windowTitle(), "Catalogue Navigation...");
    QSignalSpy help(&form, &TLevelTextForm::helpRequested);
    form.HelpBtn->click();
    EXPECT_EQ(help.at(0).at(0).toInt(), 4);

    state.MAX_CATEGORY_DEPTH = 3;
    state.ShopFields.setValue("levtext", "One\tTwo<br>lines\tThree\tFour");
    EXPECT_TRUE(show(form, [&] {
        EXPECT_EQ(test::shownText(form.HeadingLabel->text()), "Level Text for Navigation Level 1");
        EXPECT_FALSE(form.PrevBtn->isEnabled());
        form.NextBtn->click();
        EXPECT_EQ(form.LevTexMemo->toPlainText(), "Two\nlines");
        form.LevTexMemo->setPlainText("Second\nlevel");
        form.NextBtn->click();
        EXPECT_FALSE(form.NextBtn->isEnabled()) << "three levels shown";
        form.LevTexMemo->setPlainText("a\tb");
        form.OKBtn->click();
        EXPECT_TRUE(form.isVisible()) << "a tab would split the levels";
        form.LevTexMemo->setPlainText("Third");
        form.Edit1->setText("4");
        form.OKBtn->click();
    }));
    EXPECT_EQ(state.ShopFields.value("levtext"), "One\tSecond<br>level\tThird\tFour");
    EXPECT_EQ(state.ShopFields.value("opt_radio_entries"), "4");
    EXPECT_TRUE(state.CatalogueModified());

    // Fewer levels than the one shown last: the first level; the close box keeps
    // the texts but not the number.
    state.MAX_CATEGORY_DEPTH = 2;
    EXPECT_FALSE(show(form, [&] {
        EXPECT_EQ(test::shownText(form.HeadingLabel->text()), "Level Text for Navigation Level 1");
        EXPECT_EQ(form.LevTexMemo->toPlainText(), "One");
        form.LevTexMemo->setPlainText("First");
        form.Edit1->setText("9");
        form.close();
    }));
    EXPECT_EQ(state.ShopFields.value("levtext"), "First\tSecond<br>level\tThird\tFour");
    EXPECT_EQ(state.ShopFields.value("opt_radio_entries"), "4");
}

TEST_F(SiteAppearanceFormsTest, NavigationClosedWithNothingTypedChangesNothing)
{
    TLevelTextForm form(state, ui);
    state.MAX_CATEGORY_DEPTH = 3;
    for (const char* stored : {"", "One"}) {
        state.ShopFields.setValue("levtext", stored);
        EXPECT_FALSE(show(form, [&] {
            form.NextBtn->click();
            QTest::keyClick(&form, Qt::Key_Escape);
        }));
        EXPECT_EQ(state.ShopFields.value("levtext"), stored);
        EXPECT_FALSE(state.CatalogueModified()) << stored;
    }
}

TEST_F(SiteAppearanceFormsTest, SearchFieldsAreChosenOrderedAndLabelled)
{
    TSearchCFGForm form(state, ui);
    EXPECT_EQ(form.windowTitle(), "Online Search Configuration");
    state.InfoList.setLines({"Product Name=Text", "Weight=Text", "Price=Text", "Colour=Text"});
    state.ShopFields.setValue("searchfields", "13:Weight");
    EXPECT_TRUE(show(form, [&] {
        EXPECT_EQ(form.ComboBox1->count(), 2) << "Weight and Price are catalogue columns";
        EXPECT_EQ(form.ListBox1->count(), 1);
        EXPECT_FALSE(form.Edit1->isEnabled());
        form.AddBtn->click();
        EXPECT_EQ(form.ListBox1->count(), 1) << "nothing selected to add";
        form.ComboBox1->setCurrentIndex(1);
        form.AddBtn->click();
        form.AddBtn->click();
        EXPECT_EQ(form.ListBox1->count(), 2) << "a field is chosen once";
        EXPECT_EQ(form.Edit1->text(), "Price");
        form.Edit1->setText("Cost, incl. VAT");
        form.ChangeBtn->click();
        EXPECT_EQ(form.Edit1->text(), "Price") << "refused, and shown as stored";
        form.Edit1->setText("Cost");
        form.ChangeBtn->click();
        form.SpeedButton1->click();
        EXPECT_EQ(form.ListBox1->currentItem()->text(), "Price");
        form.OKBtn->click();
    }));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"A label cannot contain \",\"."});
    EXPECT_EQ(state.ShopFields.value("searchfields"), "8:Cost,13:Weight");

    state.ShopFields.setValue("searchfields", "x:Broken");
    ui.said.clear();
    EXPECT_FALSE(form.execute());
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"'x' is not a valid integer value"});
}

} // namespace
} // namespace qs::gui
