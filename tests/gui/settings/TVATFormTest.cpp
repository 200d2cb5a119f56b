#include "gui/settings/TVATForm.h"

#include "ShopOptionsTest.h"
#include "gui/settings/TVATCodeModForm.h"
#include "gui/settings/TVATCountryForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>

namespace qs::gui {
namespace {

class TVATFormTest : public test::ShopOptionsTest {
protected:
    TVATFormTest()
    {
        writeData("shop.tax", "Y=17.5\tStandard\r\nN=0.00\tZero\r\n");
        writeData("countries.tax", countries);
    }

    // Types into Modify VAT Code when it shows, and confirms.
    void typeCode(const char* code, const char* rate, const char* description)
    {
        TVATCodeModForm& codeForm = form.codeModForm();
        test::whenModalShows(codeForm, [&codeForm, code, rate, description] {
            codeForm.Edit1->setText(code);
            codeForm.Edit2->setText(rate);
            codeForm.Edit3->setText(description);
            codeForm.OKBtn->click();
        });
    }

    QString cell(QTableWidget* grid, int row, int column) const
    {
        const QTableWidgetItem* item = grid->item(row, column);
        return item ? item->text() : QString();
    }

    const std::string countries = "Headings=Y\tN\t\t\r\nJersey=5\t\t\t\r\n";
    TVATForm form{state, ui};
};

TEST_F(TVATFormTest, ARefusedCodeIsShownAgainToBePutRight)
{
    EXPECT_EQ(form.windowTitle(), "VAT Details");
    EXPECT_EQ(form.AdvancedBtn->text(), "Ad&vanced  >>");
    QSignalSpy help(&form, &TVATForm::helpRequested);
    form.HelpBtn->click();
    EXPECT_EQ(help.at(0).at(0).toInt(), 33);

    EXPECT_TRUE(show(form, [&] {
        EXPECT_TRUE(form.NotIncludedBtn->isChecked()) << "no taxaction";
        EXPECT_EQ(cell(form.CodeGrid, 0, 1), "17.5");
        TVATCodeModForm& codeForm = form.codeModForm();
        test::whenModalShows(codeForm, [&] {
            EXPECT_EQ(codeForm.Edit1->text(), "");
            // Shown again with what was typed; put right, it is stored.
            test::whenModalShows(codeForm, [&] {
                EXPECT_EQ(codeForm.Edit1->text(), "y");
                EXPECT_EQ(codeForm.Edit3->text(), "Lower case");
                codeForm.Edit1->setText("R");
                codeForm.OKBtn->click();
            });
            codeForm.Edit1->setText("y");
            codeForm.Edit2->setText("5");
            codeForm.Edit3->setText("Lower case");
            codeForm.OKBtn->click();
        });
        form.AddBtn->click();
        EXPECT_EQ(cell(form.CodeGrid, 2, 0), "R");
        EXPECT_EQ(cell(form.CodeGrid, 2, 1), "5.00");
        form.OKBtn->click();
    }));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"That code is already defined"});
    EXPECT_EQ(data("shop.tax"), "Y=17.5\tStandard\r\nN=0.00\tZero\r\nR=5.00\tLower case\r\n");
    EXPECT_EQ(state.ShopFields.value("taxaction"), "exclude");
    EXPECT_TRUE(state.CatalogueModified());
}

TEST_F(TVATFormTest, ModifyVatCodeShowsAWholeDescription)
{
    TVATCodeModForm codeForm(ui);
    const QString description = "Reduced rate for children's clothes";
    const qs::VatCode code{"R", "5", description.toStdString()};
    test::whenModalShows(codeForm, [&] {
        const int needed = codeForm.Edit3->fontMetrics().horizontalAdvance(description);
        EXPECT_GT(codeForm.Edit3->width(), needed + 8) << "room for the text and the field's margins";
        codeForm.OKBtn->click();
    });
    EXPECT_TRUE(codeForm.execute(code));
}

TEST_F(TVATFormTest, ModifyRenamesTheCountryColumnOnlyOnOk)
{
    EXPECT_FALSE(show(form, [&] {
        form.CodeGrid->selectRow(0);
        typeCode("S", "20", "Standard");
        form.ModifyBtn->click();
        EXPECT_EQ(cell(form.CodeGrid, 0, 0), "S");
        form.CancelBtn->click();
    }));
    EXPECT_EQ(data("shop.tax"), "Y=17.5\tStandard\r\nN=0.00\tZero\r\n");
    EXPECT_EQ(data("countries.tax"), countries);

    EXPECT_TRUE(show(form, [&] {
        EXPECT_EQ(cell(form.CodeGrid, 0, 0), "Y") << "Cancel kept nothing";
        form.CodeGrid->selectRow(0);
        typeCode("S", "20", "Standard");
        form.ModifyBtn->click();
        form.IncludedBtn->setChecked(true);
        form.OKBtn->click();
    }));
    EXPECT_EQ(data("shop.tax"), "S=20.00\tStandard\r\nN=0.00\tZero\r\n");
    EXPECT_EQ(data("countries.tax"), "Headings=S\tN\t\t\r\nJersey=5\t\t\t\r\n");
    EXPECT_EQ(state.ShopFields.value("taxaction"), "include");
}

TEST_F(TVATFormTest, NoVatDisablesTheGroupsAndRemoveKeepsOneEmptyRow)
{
    EXPECT_TRUE(show(form, [&] {
        for (int i = 0; i < 2; ++i) {
            form.CodeGrid->selectRow(0);
            form.RemoveBtn->click();
        }
        EXPECT_EQ(form.CodeGrid->rowCount(), 1);
        form.NoVATBox->setChecked(true);
        EXPECT_FALSE(form.PriceGroup->isEnabled());
        EXPECT_FALSE(form.GeneralGroup->isEnabled());
        form.OKBtn->click();
    }));
    EXPECT_EQ(data("shop.tax"), "");
    EXPECT_EQ(state.ShopFields.value("taxaction"), "ignore");
}

TEST_F(TVATFormTest, AdvancedSavesThenEditsTheCountryRates)
{
    state.Postage.areas = DeliveryAreas::parse("Jersey=1,0\r\nMalta=3,0\r\n");
    EXPECT_FALSE(show(form, [&] {
        form.IncludedBtn->setChecked(true);
        TVATCountryForm& countries = form.countryForm();
        test::whenModalShows(countries, [&] {
            EXPECT_EQ(countries.windowTitle(), "Special VAT Rates by Country");
            QTableWidget* grid = countries.CountryGrid;
            EXPECT_EQ(grid->columnCount(), 5);
            EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Y");
            EXPECT_EQ(grid->rowCount(), 2) << "Jersey and the empty last row";
            EXPECT_EQ(cell(grid, 0, 1), "5.00");
            EXPECT_EQ(cell(grid, 0, 2), "") << "no special rate stays empty";
            EXPECT_FALSE(grid->item(1, 1)->flags() & Qt::ItemIsEditable);
            countries.AddCountryBtn->click(); // Jersey, the first entry, is listed already
            countries.CountryBox->setCurrentIndex(1);
            countries.AddCountryBtn->click();
            grid->item(1, 2)->setText("7");
            EXPECT_EQ(cell(grid, 1, 2), "7.00");
            countries.OKBtn->click();
        });
        form.AdvancedBtn->click();
        form.CancelBtn->click();
    }));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"That country is already listed."});
    EXPECT_EQ(state.ShopFields.value("taxaction"), "include") << "Advanced saved before Cancel";
    EXPECT_EQ(data("countries.tax"), "Headings=Y\tN\t\t\r\nJersey=5.00\t\t\t\r\nMalta=\t7.00\t\t\r\n");
}

} // namespace
} // namespace qs::gui
