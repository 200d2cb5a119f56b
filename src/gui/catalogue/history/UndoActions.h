#pragma once

#include <QObject>

class QAction;

namespace qs {
struct AppState;
}

namespace qs::gui {

class TCMForm;

// Edit, Undo and Redo: each names the step it takes back or makes again and
// is disabled when there is none; afterwards the window selects what the step
// touched.
class UndoActions : public QObject {
    Q_OBJECT
public:
    UndoActions(TCMForm& form, qs::AppState& state, QAction& undo, QAction& redo);
    ~UndoActions() override;

    void undo();
    void redo();
    // The texts and enabled states from the history.
    void update();

private:
    TCMForm& form_;
    qs::AppState& state_;
    QAction& undo_;
    QAction& redo_;
};

} // namespace qs::gui
