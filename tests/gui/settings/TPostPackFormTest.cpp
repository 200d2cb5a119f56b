#include "gui/settings/TPostPackForm.h"

#include "ShopOptionsTest.h"
#include "gui/ui/DialogParts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>

namespace qs::gui {
namespace {

class TPostPackFormTest : public test::ShopOptionsTest {
protected:
    void select(QListWidget* list, const QString& text)
    {
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        list->setCurrentItem(found.front());
    }
    void rename(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        emit edit->editingFinished();
    }

    TPostPackForm form{state, ui};
};

TEST_F(TPostPackFormTest, AShopWithoutFilesStartsFromTheBuiltInAreas)
{
    EXPECT_EQ(form.windowTitle(), "Postage and Packing Info");
    state.Postage.areas = DeliveryAreas::parse("*Left From Another Shop=1,1\r\n");
    EXPECT_TRUE(show(form, [&] {
        EXPECT_EQ(form.PageControl->currentIndex(), TPostPackForm::ChargeSheet);
        EXPECT_EQ(form.PageControl->tabText(0), "Country && A&rea Codes");
        // No method chosen is shown as none, not as the first.
        EXPECT_EQ(form.MethodBox->currentIndex(), -1);
        EXPECT_EQ(form.MethodBox->placeholderText(), "(No method chosen: no postage is charged)");
        EXPECT_NE(form.MethodPanels->currentWidget(), form.WeightGrid);
        EXPECT_EQ(form.AreaList->count(), 50);
        EXPECT_EQ(selectedRow(form.AreaList), -1);
        // Without a band no charge can be typed.
        ASSERT_EQ(form.WeightGrid->rowCount(), 1);
        EXPECT_FALSE(form.WeightGrid->item(0, 0)->flags() & Qt::ItemIsEditable);
        form.OKBtn->click();
    }));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Could not open areas file."});
    EXPECT_EQ(data("area.txt"), DeliveryAreas::builtIn().bytes());
    EXPECT_EQ(data("zones_data.log"), "");
    EXPECT_EQ(data("zones_fixed.log"), "1::::::::::::::\r\n");
    EXPECT_EQ(state.ShopFields.value("shipmethod"), "") << "still none: OK chose none";
    EXPECT_FALSE(state.CatalogueModified()) << "the files are written and no setting changed";
    // Only the United Kingdom is VAT liable among the built-in areas.
    const DeliveryAreas areas = DeliveryAreas::builtIn();
    for (const auto& area : areas.entries)
        EXPECT_EQ(area.value.ends_with(",1"), area.name == "United Kingdom") << area.name;
}

TEST_F(TPostPackFormTest, AreasAreEditedOnTheirSheet)
{
    writeData("area.txt", "Canada=4,0\r\n*France=3,1\r\nOdd=9,0\r\n");
    EXPECT_TRUE(show(form, [&] {
        form.PageControl->setCurrentIndex(TPostPackForm::AreaSheet);
        EXPECT_EQ(form.AreaList->currentItem()->text(), "France");
        EXPECT_TRUE(form.DefaultBox->isChecked());
        select(form.AreaList, "Odd");
        EXPECT_EQ(form.ZoneBox->currentIndex(), -1) << "zone 9 is no zone";
        select(form.AreaList, "Canada");
        EXPECT_EQ(form.ZoneBox->currentText(), "Zone 4");
        emit form.VATBox->activated(1);
        emit form.ZoneBox->activated(1);
        rename(form.AreaNameEdit, "france");
        EXPECT_EQ(form.AreaNameEdit->text(), "Canada") << "a name already listed is refused";
        rename(form.AreaNameEdit, "Kanada");
        form.DefaultBox->click();
        form.NewAreaBtn->click();
        EXPECT_EQ(form.AreaList->currentItem()->text(), "New Area");
        ui.answers = {Answer::Yes};
        select(form.AreaList, "Odd");
        form.DelAreaBtn->click();
        form.OKBtn->click();
    }));
    EXPECT_EQ(data("area.txt"), "New Area=1,0\r\n*Kanada=2,1\r\nFrance=3,1\r\n");
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"An area of that name is already listed.", "Delete 'Odd'?"}));
}

TEST_F(TPostPackFormTest, BandsAndChargesReachTheirFiles)
{
    writeData("area.txt", "UK=1,1\r\n");
    state.ShopFields.setValue("weightunit", "grammes (g)");
    EXPECT_TRUE(show(form, [&] {
        form.PageControl->setCurrentIndex(TPostPackForm::WeightSheet);
        EXPECT_EQ(form.UnitBox->currentText(), "grammes (g)");
        for (const char* band : {"250", "100"}) {
            form.BandEdit->setText(band);
            form.NewBandBtn->click();
        }
        EXPECT_EQ(form.BandList->currentItem()->text(), "100");
        // New does not rename the selected band, whatever the text box holds.
        form.BandEdit->setText("500");
        form.NewBandBtn->click();
        EXPECT_EQ(state.Postage.tables.bands, (std::vector<std::string>{"100", "250", "500"}));
        EXPECT_EQ(form.NewBandBtn->focusPolicy(), Qt::NoFocus);

        form.PageControl->setCurrentIndex(TPostPackForm::ChargeSheet);
        EXPECT_EQ(form.WeightGrid->verticalHeaderItem(1)->text(), "100g to 250g");
        form.WeightGrid->item(1, 0)->setText("3.75");
        form.WeightGrid->item(2, 5)->setText("1::2");
        EXPECT_EQ(form.WeightGrid->item(2, 5)->text(), "") << "refused, and shown as stored";
        form.FixedGrid->item(0, 2)->setText("9");

        form.PageControl->setCurrentIndex(TPostPackForm::WeightSheet);
        select(form.BandList, "250");
        rename(form.BandEdit, "50");
        EXPECT_EQ(form.BandList->currentItem()->text(), "50");
        form.MethodBox->setCurrentIndex(PostageAndPacking::PerZone);
        EXPECT_EQ(form.MethodPanels->currentWidget(), form.FixedGrid);
        form.OKBtn->click();
    }));
    EXPECT_EQ(data("zones_data.log"),
              "1::50::3.75::::::::::\r\n2::100::::::::::::\r\n3::500::::::::::::\r\n");
    EXPECT_EQ(data("zones_fixed.log"), "1::50::::::9::::::\r\n");
    EXPECT_EQ(state.ShopFields.value("shipmethod"), "perzone");
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"A charge cannot contain \":\"."});
}

TEST_F(TPostPackFormTest, VatIncludedWarnsAndCancelClearsIt)
{
    writeData("area.txt", "UK=1,1\r\n");
    state.ShopFields.setValue("shipmethod", "percentage");
    state.ShopFields.setValue("shippercent", "7");
    EXPECT_TRUE(show(form, [&] {
        EXPECT_EQ(form.PercentEdit->text(), "7");
        EXPECT_EQ(form.MethodPanels->currentIndex(), PostageAndPacking::Percentage);
        ui.answers = {Answer::Cancel, Answer::Ok};
        form.VATIncBox->click();
        EXPECT_FALSE(form.VATIncBox->isChecked());
        form.VATIncBox->click();
        EXPECT_TRUE(form.VATIncBox->isChecked());
        // The percentage row stands at the top of its sheet, not in the middle.
        form.PageControl->setCurrentIndex(TPostPackForm::ChargeSheet);
        QApplication::processEvents();
        const int rowHeight = form.PercentEdit->height();
        EXPECT_GT(form.MethodPanels->height(), 4 * rowHeight);
        EXPECT_LT(form.PercentEdit->mapTo(form.MethodPanels, QPoint()).y(), rowHeight);
        form.PercentEdit->setText("8.5");
        emit form.PercentEdit->textEdited("8.5");
        form.OKBtn->click();
    }));
    EXPECT_EQ(state.ShopFields.value("postvatinc"), "yes");
    EXPECT_EQ(state.ShopFields.value("shippercent"), "8.5");
}

TEST_F(TPostPackFormTest, TheZoneSheetStartsFromTheSixZones)
{
    writeData("area.txt", "UK=1,1\r\n");
    EXPECT_FALSE(show(form, [&] {
        form.PageControl->setCurrentIndex(TPostPackForm::ZoneSheet);
        ui.inputs = {std::string("Islands")};
        form.NewZoneBtn->click();
        EXPECT_EQ(form.ZoneList->item(6)->text(), "Islands");
        form.PageControl->setCurrentIndex(TPostPackForm::AreaSheet);
        form.PageControl->setCurrentIndex(TPostPackForm::ZoneSheet);
        EXPECT_EQ(form.ZoneList->count(), 6);
        form.CancelBtn->click();
    }));
}

} // namespace
} // namespace qs::gui
