#include "gui/catalogue/history/UndoActions.h"

#include "ScriptedUserInterface.h"
#include "gui/app/TCMForm.h"
#include "core/app/AppState.h"
#include "core/catalogue/Catalogue.h"
#include "gui/catalogue/grids/CatalogueGrids.h"
#include "gui/catalogue/grids/GridView.h"
#include "gui/catalogue/grids/ProductGridModel.h"

#include <QAction>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>

namespace qs::gui {
namespace {

class UndoActionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state = std::make_unique<qs::AppState>("/nonexistent");
        form = std::make_unique<TCMForm>(*state, &ui);
        form->setShopOpen(true);
        form->show();
    }

    QAction& undo() const { return *form->actions().undo; }
    QAction& redo() const { return *form->actions().redo; }

    qs::test::ScriptedUserInterface ui;
    std::unique_ptr<qs::AppState> state;
    std::unique_ptr<TCMForm> form;
};

TEST_F(UndoActionsTest, ItemsNameTheStepAndFollowTheHistory)
{
    EXPECT_FALSE(undo().isEnabled());
    EXPECT_FALSE(redo().isEnabled());
    EXPECT_EQ(undo().shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(redo().shortcuts(), (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));

    form->addCategory();
    qs::TNewCategory& added = *state->catalogue.root().children()[0];
    form->newProduct();
    EXPECT_EQ(undo().text(), "&Undo New Product");
    ui.answers.push_back(qs::Answer::Yes);
    form->selectNode(added);
    form->CatalogueTree->setFocus();
    form->deleteCommand();
    EXPECT_EQ(undo().text(), "&Undo Delete Category");

    undo().trigger();
    EXPECT_EQ(form->selectedNode(), &added) << "the category the step touched";
    EXPECT_EQ(added.productCount(), 1u);
    EXPECT_EQ(redo().text(), "&Redo Delete Category");
    undo().trigger();
    EXPECT_EQ(added.productCount(), 0u);
    redo().trigger();
    EXPECT_EQ(form->grids().productOnCurrentRow(), added.products()[0].get())
        << "the product's row is current";
    undo().trigger();
    undo().trigger();
    EXPECT_TRUE(state->catalogue.root().children().empty());
    EXPECT_FALSE(undo().isEnabled());
    EXPECT_EQ(undo().text(), "&Undo");
    EXPECT_TRUE(redo().isEnabled());
}

TEST_F(UndoActionsTest, UndoingBackToTheSaveLeavesNothingToAsk)
{
    form->addCategory();
    state->markSaved();
    form->addCategory();
    EXPECT_TRUE(state->CatalogueModified());
    undo().trigger();
    EXPECT_FALSE(state->CatalogueModified());
    form->commands().writeProgramLocation = [] {};
    EXPECT_TRUE(form->commands().closeQuery()) << "closing asks nothing";
    EXPECT_TRUE(ui.said.empty());
    redo().trigger();
    EXPECT_TRUE(state->CatalogueModified());
}

} // namespace
} // namespace qs::gui
