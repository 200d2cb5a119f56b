#include "gui/catalogue/TMemoTextForm.h"

#include "ScriptedUserInterface.h"
#include "GuiTestSupport.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace qs::gui {
namespace {

class TMemoTextFormTest : public ::testing::Test {
protected:
    std::optional<std::string> edit(const std::string& stored, const std::function<void()>& act,
                                    std::string_view field = {})
    {
        test::whenModalShows(form, act);
        return form.editText(stored, field);
    }

    qs::test::ScriptedUserInterface ui;
    TMemoTextForm form{ui};
};

TEST_F(TMemoTextFormTest, ShowsBrAsLinesAndStoresLinesWithBrBetweenThem)
{
    EXPECT_EQ(form.windowTitle(), "Editing Text...");
    EXPECT_EQ(form.OKBtn->text(), "&OK");
    EXPECT_EQ(form.CancelBtn->text(), "&Cancel");
    struct Case {
        const char* stored;
        const char* shown;
        const char* typed; // null: confirmed unchanged
        std::optional<std::string> result;
    };
    // OK without a change stores nothing, so an inherited value stays inherited.
    const Case cases[] = {
        {"1", "1", nullptr, std::nullopt},          {"Red<br>", "Red\n", nullptr, std::nullopt},
        {"a<br>b", "a\nb", nullptr, std::nullopt},  {"a<br>b", "a\nb", "a\nb\n", "a<br>b<br>"},
        {"Red", "Red", "Red\nBlue", "Red<br>Blue"}, {"", "", "one\n\nthree", "one<br><br>three"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(edit(c.stored,
                       [&] {
                           EXPECT_EQ(form.TheMemo->toPlainText(), c.shown);
                           EXPECT_EQ(form.focusWidget(), form.TheMemo);
                           if (c.typed)
                               form.TheMemo->setPlainText(c.typed);
                           form.OKBtn->click();
                       }),
                  c.result)
            << c.stored;
    }
    EXPECT_EQ(edit("kept",
                   [&] {
                       form.TheMemo->setPlainText("changed");
                       form.CancelBtn->click();
                   }),
              std::nullopt);
}

TEST_F(TMemoTextFormTest, AValueTheFieldCannotHoldKeepsTheDialogOpen)
{
    EXPECT_EQ(edit(
                  "Tee",
                  [&] {
                      form.TheMemo->setPlainText("Tee|Shirt");
                      form.OKBtn->click();
                      EXPECT_TRUE(form.isVisible());
                      form.TheMemo->setPlainText("Tee::Shirt");
                      form.OKBtn->click();
                      EXPECT_TRUE(form.isVisible());
                      form.TheMemo->setPlainText("Tee\nShirt");
                      form.OKBtn->click();
                  },
                  "Product Name"),
              "Tee<br>Shirt");
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{
                              "A name cannot contain \"|\", which separates the categories of a path.",
                              "A value cannot contain \"::\", which separates the fields of the "
                              "catalogue file."}));
}

} // namespace
} // namespace qs::gui
