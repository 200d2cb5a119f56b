#include "settings/TTermConditionForm.h"

#include "Encoding.h"
#include "app/AppState.h"
#include "settings/DialogParts.h"
#include "settings/TermsAndConditions.h"
#include "text/FileError.h"
#include "text/JoinPath.h"
#include "ui/UserInterface.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qs::gui {

TTermConditionForm::TTermConditionForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent)
    : QDialog(parent), state_(state), ui_(ui)
{
    setWindowTitle("TermConditionForm");
    TermsMemo = new QPlainTextEdit;
    TermsMemo->setTabChangesFocus(true);
    OKBtn = plainButton("OK");
    CancelBtn = plainButton("Cancel");
    connect(OKBtn, &QPushButton::clicked, this, &TTermConditionForm::confirm);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Enter your Company's Terms and Conditions below:-"));
    layout->addWidget(TermsMemo, 1);
    layout->addLayout(buttonRow({OKBtn, CancelBtn}));
    resize(560, 420);
}

std::string TTermConditionForm::termsFile() const
{
    return qs::joinPath(state_.ShopDataDir(), qs::termsFileName);
}

bool TTermConditionForm::execute()
{
    TermsMemo->setPlainText(fromBytes(qs::readTerms(termsFile(), "\n")));
    TermsMemo->setFocus();
    return exec() == QDialog::Accepted;
}

void TTermConditionForm::confirm()
{
    const std::optional<std::string> terms = typedBytes(TermsMemo->toPlainText(), ui_);
    if (!terms)
        return;
    try {
        qs::writeTerms(termsFile(), *terms);
    } catch (const qs::FileError& error) {
        ui_.message(error.what(), qs::MessageKind::Error);
        return;
    }
    accept();
}

} // namespace qs::gui
