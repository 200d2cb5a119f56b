#pragma once

#include "core/settings/MerchantDetails.h"

#include "gui/ui/OkCancelDialog.h"

#include <functional>
#include <optional>

class QLineEdit;
class QPlainTextEdit;

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

// "Merchant Details": who the merchant is and how to reach them, each a key
// of the shop settings list. Whatever closes it, the shop's settings file is
// written.
class TMercDetailsForm : public OkCancelDialog {
    Q_OBJECT
public:
    // The account fields of the Payment Methods dialog, which OK stores too;
    // without one, OK keeps what the settings hold.
    using PaymentAccountSource = std::function<MerchantDetails::PaymentAccount()>;

    TMercDetailsForm(qs::AppState& state, qs::UserInterface& ui, PaymentAccountSource payment = {},
                     QWidget* parent = nullptr);

    // Fills the controls from the shop settings list and shows the dialog.
    // True when it closed with OK.
    bool execute();

    static constexpr int helpTopic = 3;

    QLineEdit* MercNameEdit = nullptr;
    QPlainTextEdit* AddressMemo = nullptr;
    QLineEdit* EmailEdit = nullptr;
    QLineEdit* TechSupportEmail = nullptr;
    QLineEdit* HomeURLEdit = nullptr;
    QLineEdit* ChequeNameEdit = nullptr;

    void done(int result) override;

private:
    void showDetails();
    // None when a text holds a character the catalogue cannot hold (told).
    std::optional<MerchantDetails> typedDetails() const;
    void confirm() override;

    qs::AppState& state_;
    qs::UserInterface& ui_;
    PaymentAccountSource payment_;
};

} // namespace qs::gui
