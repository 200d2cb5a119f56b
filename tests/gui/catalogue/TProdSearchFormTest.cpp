#include "gui/catalogue/TProdSearchForm.h"

#include "ScriptedUserInterface.h"
#include "core/catalogue/Catalogue.h"
#include "GuiTestSupport.h"

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace qs::gui {
namespace {

class TProdSearchFormTest : public ::testing::Test {
protected:
    TProdSearchFormTest()
    {
        for (const char* name : {"Size 10", "Size 9", "T-Shirt"})
            add(clothes, name);
        for (const char* name : {"SHIRT", "Item 1", "Item A"})
            add(sale, name);
    }

    TNewProduct& add(TNewCategory& category, const char* name)
    {
        TNewProduct& product = catalogue.createProduct(category);
        product.setField("Product Name", name, ui);
        return product;
    }

    QStringList listed() const
    {
        QStringList names;
        const QAbstractItemModel* model = form.ResultsBox->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names << model->index(row, 0).data().toString();
        return names;
    }

    void select(int row) { form.ResultsBox->setCurrentIndex(form.ResultsBox->model()->index(row, 0)); }

    Catalogue catalogue;
    TNewCategory& clothes = catalogue.addCategory(catalogue.root(), "Clothes");
    TNewCategory& sale = catalogue.addCategory(clothes, "Sale");
    qs::test::ScriptedUserInterface ui;
    TProdSearchForm form{catalogue, ui};
    QSignalSpy wanted{&form, &TProdSearchForm::goToProduct};
};

TEST_F(TProdSearchFormTest, ListsTheResultsInNameOrderUnderTheHeading)
{
    EXPECT_EQ(form.windowTitle(), "Search Results");
    EXPECT_EQ(form.GoToBtn->text(), "&Go to Product");
    EXPECT_EQ(form.OKBtn->text(), "&OK");
    test::whenModalShows([&](QWidget*) {
        EXPECT_EQ(form.HeadingLabel->text(), "Products in catalogue:- ");
        EXPECT_EQ(listed(), (QStringList{"Item A", "Item 1", "SHIRT", "Size 9", "Size 10", "T-Shirt"}));
        form.OKBtn->click();
    });
    form.search("");
    test::whenModalShows([&](QWidget*) {
        EXPECT_EQ(form.HeadingLabel->text(), "Results matching 'shirt' in catalogue:- ");
        EXPECT_EQ(listed(), (QStringList{"SHIRT", "T-Shirt"}));
        form.OKBtn->click();
    });
    form.search("shirt");
    EXPECT_TRUE(ui.said.empty());
}

TEST_F(TProdSearchFormTest, TheHeadingShowsTheSearchTextAsTyped)
{
    add(sale, "<i>Hat</i> & <b>Scarf");
    test::whenModalShows([&](QWidget*) {
        EXPECT_EQ(form.HeadingLabel->text(), "Results matching '<i>hat' in catalogue:- ");
        EXPECT_EQ(form.HeadingLabel->textFormat(), Qt::PlainText) << "not read as markup";
        form.OKBtn->click();
    });
    form.search("<i>hat");
}

TEST_F(TProdSearchFormTest, NothingFoundIsToldWithoutOpeningTheWindow)
{
    form.search("Teapot");
    Catalogue empty;
    TProdSearchForm emptyForm(empty, ui);
    emptyForm.search("");
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"No products matching 'Teapot' in catalogue.",
                                                    "No products in catalogue."}));
    EXPECT_FALSE(form.isVisible());
}

TEST_F(TProdSearchFormTest, GoToProductNeedsASelectionAndLeavesTheWindowOpen)
{
    test::whenModalShows([&](QWidget*) {
        form.GoToBtn->click();
        EXPECT_EQ(wanted.count(), 0);
        select(1); // T-Shirt
        form.GoToBtn->click();
        ASSERT_EQ(wanted.count(), 1);
        EXPECT_EQ(wanted.at(0).at(0).value<TNewProduct*>(), clothes.products()[2].get());
        EXPECT_TRUE(form.isVisible());

        const QRect first = form.ResultsBox->visualRect(form.ResultsBox->model()->index(0, 0));
        QTest::mouseClick(form.ResultsBox->viewport(), Qt::LeftButton, {}, first.center());
        QTest::mouseDClick(form.ResultsBox->viewport(), Qt::LeftButton, {}, first.center());
        ASSERT_EQ(wanted.count(), 2);
        EXPECT_EQ(wanted.at(1).at(0).value<TNewProduct*>(), sale.products()[0].get());
        form.OKBtn->click();
    });
    form.search("SHIRT");
    EXPECT_EQ(form.ResultsBox->model()->rowCount(), 0);
}

} // namespace
} // namespace qs::gui
