#include "gui/settings/TTermConditionForm.h"

#include "gui/text/Encoding.h"
#include "gui/ui/DialogParts.h"
#include "core/app/AppState.h"
#include "core/settings/TermsAndConditions.h"
#include "core/text/FileError.h"
#include "core/ui/UserInterface.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace qs::gui {

TTermConditionForm::TTermConditionForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent)
    : OkCancelDialog("Terms and Conditions", {.enter = EnterKey::LeftToControls}, parent), state_(state), ui_(ui)
{
    TermsMemo = new QPlainTextEdit;
    TermsMemo->setTabChangesFocus(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(labelFor("&Enter your Company's Terms and Conditions below:-", TermsMemo));
    layout->addWidget(TermsMemo, 1);
    layout->addLayout(frameButtonRow());
    resize(560, 420);
}

bool TTermConditionForm::execute()
{
    TermsMemo->setPlainText(fromBytes(qs::readTerms(qs::termsFile(state_.ShopDataDir()), "\n")));
    TermsMemo->setFocus();
    return exec() == QDialog::Accepted;
}

void TTermConditionForm::confirm()
{
    const std::optional<std::string> terms = typedBytes(TermsMemo->toPlainText(), ui_);
    if (!terms)
        return;
    try {
        qs::writeTerms(qs::termsFile(state_.ShopDataDir()), *terms);
    } catch (const qs::FileError& error) {
        ui_.message(error.what(), qs::MessageKind::Error);
        return;
    }
    accept();
}

} // namespace qs::gui
