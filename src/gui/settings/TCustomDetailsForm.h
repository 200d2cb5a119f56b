#pragma once

#include "core/settings/CustomerDetails.h"

#include "gui/ui/OkCancelDialog.h"

class QCheckBox;
class QLineEdit;

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

// "Customer Details": whether the shop remembers returning customers, and
// after how many months unused records are deleted.
class TCustomDetailsForm : public OkCancelDialog {
    Q_OBJECT
public:
    TCustomDetailsForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent = nullptr);

    // Fills the controls from the shop settings list and shows the dialog.
    // True when it closed with OK.
    bool execute();

    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QLineEdit* Edit1 = nullptr;

private:
    void applyEnabling();
    void confirm() override;

    qs::AppState& state_;
    qs::UserInterface& ui_;
};

} // namespace qs::gui
