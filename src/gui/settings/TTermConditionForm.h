#pragma once

#include "gui/ui/OkCancelDialog.h"

class QPlainTextEdit;

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

// The shop's terms and conditions as free text, kept in termcondition.txt.
// Its title bar reads "TermConditionForm".
class TTermConditionForm : public OkCancelDialog {
    Q_OBJECT
public:
    TTermConditionForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent = nullptr);

    // Reads the open shop's terms (none when it has no file) and shows the
    // dialog. True when it closed with OK, the file then written.
    bool execute();

    QPlainTextEdit* TermsMemo = nullptr;

private:
    void confirm() override;

    qs::AppState& state_;
    qs::UserInterface& ui_;
};

} // namespace qs::gui
