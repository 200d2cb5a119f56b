#pragma once

#include "core/settings/PaymentMethods.h"

#include "gui/ui/OkCancelDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

// "Payment Methods": how customers pay, three offline ordering options and
// the payment service's account details, all keys of the shop settings list.
class TPayMethodForm : public OkCancelDialog {
    Q_OBJECT
public:
    TPayMethodForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent = nullptr);

    // Fills the controls from the shop settings list and shows the dialog.
    // True when it closed with OK.
    bool execute();

    static constexpr int helpTopic = 19;

    QComboBox* PayMethodBox = nullptr;
    QCheckBox* PhoneBackBox = nullptr;
    QCheckBox* AllowSnailBox = nullptr;
    QCheckBox* InvoiceBox = nullptr;
    QLabel* lblAccountID = nullptr;
    QLineEdit* edAccountID = nullptr;
    QLabel* lblAuthType = nullptr;
    QLineEdit* edAuthType = nullptr;
    QLabel* URLLabel = nullptr;
    QLineEdit* PaymentURLEdit = nullptr;

private:
    void showMethods();
    // False, after telling, when a text holds a character the catalogue cannot hold.
    bool takeControls();
    void pickMethod(int method);
    void confirm() override;

    qs::AppState& state_;
    qs::UserInterface& ui_;
    qs::PaymentMethods methods_;
};

} // namespace qs::gui
