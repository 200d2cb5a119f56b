// Text typed where the merchant types: a character the catalogue's
// Windows-1252 cannot hold is refused with a message naming it, and nothing
// is stored; the same text without it is stored.
#include "gui/app/TCMForm.h"
#include "gui/settings/TMercDetailsForm.h"
#include "core/catalogue/Catalogue.h"
#include "gui/catalogue/grids/CatalogueGrids.h"
#include "gui/catalogue/grids/CategoryGridModel.h"
#include "gui/catalogue/grids/ProductGridModel.h"
#include "gui/settings/TPostPackForm.h"
#include "gui/settings/TTermConditionForm.h"

#include "ShopOptionsTest.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <memory>

namespace qs::gui {
namespace {

// "Łódź €5": the euro sign is in Windows-1252, Ł and ź are no
const QString unholdable = QString::fromUtf8("\xC5\x81\xC3\xB3\x64\xC5\xBA \xE2\x82\xAC"
                                             "5");
const QString holdable = QString::fromUtf8("Lodz \xE2\x82\xAC"
                                           "5");
constexpr std::string_view holdableBytes = "Lodz \x80"
                                           "5";

class TypedTextTest : public test::ShopOptionsTest {
protected:
    TypedTextTest()
    {
        fruit = &state.catalogue.addCategory(state.catalogue.root(), "Fruit");
        pear = &state.catalogue.createProduct(*fruit);
        writeData("termcondition.txt", "Old terms\r\n");
        writeData("area.txt", "Canada=4,0\r\n");
        state.ShopFields.setValue("sales_email", "sales@demo.test");
        state.ShopFields.setValue("tech_email", "tech@demo.test");
        state.ShopFields.setValue("chequename", "Old Name");
        state.ShopFields.setValue("company", "Demo Ltd");
        state.ShopFields.setValue("merc_address", "1 High Street");
        state.ShopFields.setValue("homepage", "http://demo.test");
    }

    TCMForm& mainWindow()
    {
        if (!main) {
            main = std::make_unique<TCMForm>(state, &ui);
            main->setShopOpen(true);
            main->selectNode(*fruit);
        }
        return *main;
    }

    // Types into a dialog and presses its OK: a refusal keeps it open with
    // what was typed, and then it is cancelled.
    template <typename Dialog>
    void typeAndConfirm(Dialog& dialog, bool held, const std::function<void()>& type,
                        const std::function<QString()> shown, QPushButton* ok)
    {
        test::whenModalShows(dialog, [&] {
            type();
            ok->click();
            EXPECT_EQ(dialog.isVisible(), !held) << "a refused text keeps the dialog open";
            if (dialog.isVisible()) {
                EXPECT_EQ(shown(), unholdable) << "with what was typed";
                dialog.reject();
            }
        });
        dialog.execute();
    }

    qs::TNewCategory* fruit = nullptr;
    qs::TNewProduct* pear = nullptr;
    std::unique_ptr<TCMForm> main;
};

struct Place {
    const char* name;
    std::function<void(const QString& text, bool held)> type;
    std::function<std::string()> stored;
};

TEST_F(TypedTextTest, ACharacterTheCatalogueCannotHoldIsRefusedEverywhere)
{
    const Place places[] = {
        {"a product grid cell",
         [this](const QString& text, bool held) {
             ProductGridModel& grid = mainWindow().grids().productModel();
             int column = 1;
             while (grid.grid().field(column) != "Description")
                 ++column;
             EXPECT_EQ(grid.setData(grid.index(0, column), text), held);
         },
         [this] { return std::string(pear->field("Description")); }},
        {"a category grid cell",
         [this](const QString& text, bool held) {
             CategoryGridModel& grid = mainWindow().grids().categoryModel();
             int row = 1;
             while (grid.index(row, 0).data().toString() != "Description")
                 ++row;
             EXPECT_EQ(grid.setData(grid.index(row, 1), text), held);
         },
         [this] { return std::string(fruit->detail("Description")); }},
        {"the terms",
         [this](const QString& text, bool held) {
             TTermConditionForm form(state, ui);
             typeAndConfirm(
                 form, held, [&] { form.TermsMemo->setPlainText(text); },
                 [&] { return form.TermsMemo->toPlainText(); }, form.OKBtn);
         },
         [this] { return data("termcondition.txt"); }},
        {"the merchant's details",
         [this](const QString& text, bool held) {
             TMercDetailsForm form(state, ui);
             typeAndConfirm(
                 form, held, [&] { form.ChequeNameEdit->setText(text); },
                 [&] { return form.ChequeNameEdit->text(); }, form.OKBtn);
         },
         [this] { return std::string(state.ShopFields.value("chequename")); }},
        {"an area name in postage",
         [this](const QString& text, bool) {
             TPostPackForm form(state, ui);
             test::whenModalShows(form, [&] {
                 form.PageControl->setCurrentIndex(TPostPackForm::AreaSheet);
                 form.AreaList->setCurrentRow(0);
                 form.AreaNameEdit->setText(text);
                 emit form.AreaNameEdit->editingFinished();
                 form.OKBtn->click();
             });
             form.execute();
         },
         [this] { return data("area.txt"); }},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.name);
        const std::string before = place.stored();
        ui.said.clear();
        place.type(unholdable, false);
        ASSERT_FALSE(ui.said.empty());
        EXPECT_NE(ui.said[0].text.find("The character U+0141 (LATIN CAPITAL LETTER L WITH STROKE)"),
                  std::string::npos)
            << ui.said[0].text;
        EXPECT_EQ(ui.said.size(), 1u) << ui.said.back().text;
        EXPECT_EQ(place.stored(), before);

        ui.said.clear();
        place.type(holdable, true);
        EXPECT_TRUE(ui.said.empty()) << ui.said.front().text;
        EXPECT_NE(place.stored().find(holdableBytes), std::string::npos) << place.stored();
    }
}

} // namespace
} // namespace qs::gui
