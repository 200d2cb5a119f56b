#pragma once

#include "core/settings/VatCodes.h"

#include "gui/ui/OkCancelDialog.h"

class QLineEdit;

namespace qs {
class UserInterface;
}

namespace qs::gui {

// "Modify VAT Code": one VAT code, its rate and its description, for the Add
// and Modify buttons of VAT Details.
class TVATCodeModForm : public OkCancelDialog {
    Q_OBJECT
public:
    explicit TVATCodeModForm(qs::UserInterface& ui, QWidget* parent = nullptr);

    // Shows the code in the fields. True when it closed with OK; typed()
    // then holds the fields as typed.
    bool execute(const qs::VatCode& shown);
    const qs::VatCode& typed() const { return typed_; }

    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;

    // How many characters of a description the field shows at least.
    static constexpr int descriptionWidth = 40;

private:
    // OK: a text the catalogue cannot hold is told and keeps the dialog open.
    void confirm() override;

    qs::UserInterface& ui_;
    qs::VatCode typed_;
};

} // namespace qs::gui
