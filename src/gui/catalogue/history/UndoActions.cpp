#include "gui/catalogue/history/UndoActions.h"

#include "gui/text/Encoding.h"
#include "gui/app/TCMForm.h"
#include "core/app/AppState.h"
#include "gui/catalogue/grids/CatalogueGrids.h"

#include <QAction>

namespace qs::gui {
namespace {

void select(TCMForm& form, const qs::StepFocus& focus)
{
    if (focus.category)
        form.selectNode(*focus.category);
    if (focus.product)
        form.grids().selectProduct(*focus.product);
}

} // namespace

UndoActions::UndoActions(TCMForm& form, qs::AppState& state, QAction& undo, QAction& redo)
    : QObject(&form), form_(form), state_(state), undo_(undo), redo_(redo)
{
    connect(&undo_, &QAction::triggered, this, &UndoActions::undo);
    connect(&redo_, &QAction::triggered, this, &UndoActions::redo);
    state_.history.changed = [this] { update(); };
    update();
}

UndoActions::~UndoActions()
{
    state_.history.changed = nullptr;
}

void UndoActions::undo()
{
    form_.runCommand([this] { select(form_, state_.history.undo()); });
}

void UndoActions::redo()
{
    form_.runCommand([this] { select(form_, state_.history.redo()); });
}

void UndoActions::update()
{
    const std::string undoLabel = state_.history.undoLabel();
    const std::string redoLabel = state_.history.redoLabel();
    undo_.setText(undoLabel.empty() ? QStringLiteral("&Undo")
                                    : QStringLiteral("&Undo ") + fromBytes(undoLabel));
    redo_.setText(redoLabel.empty() ? QStringLiteral("&Redo")
                                    : QStringLiteral("&Redo ") + fromBytes(redoLabel));
    undo_.setEnabled(!undoLabel.empty());
    redo_.setEnabled(!redoLabel.empty());
    // Every edit, undo, redo and save moves the history: the title's mark follows.
    form_.showTitle();
}

} // namespace qs::gui
