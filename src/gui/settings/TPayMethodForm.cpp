#include "gui/settings/TPayMethodForm.h"

#include "gui/text/Encoding.h"
#include "gui/ui/DialogParts.h"
#include "core/app/AppState.h"
#include "core/settings/SettingsChange.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace qs::gui {

TPayMethodForm::TPayMethodForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent)
    : OkCancelDialog("Payment Methods", {.helpTopic = helpTopic}, parent), state_(state), ui_(ui)
{
    PayMethodBox = new QComboBox;
    for (const qs::PaymentMethod& method : qs::PaymentMethods::methods)
        PayMethodBox->addItem(fromBytes(method.entry));
    PhoneBackBox = new QCheckBox("Allow Phone-&Back Credit Card Order");
    AllowSnailBox = new QCheckBox("Allow &Mail Order via Hardcopy Printout");
    InvoiceBox = new QCheckBox("Option to &Invoice When Order is Received");
    lblAccountID = new QLabel("Account I&D");
    edAccountID = new QLineEdit;
    lblAuthType = new QLabel("A&uthorisation type");
    edAuthType = new QLineEdit;
    URLLabel = new QLabel("U&RL for CGI call");
    PaymentURLEdit = new QLineEdit;
    PaymentURLEdit->setMinimumWidth(360);
    connect(PayMethodBox, &QComboBox::activated, this, &TPayMethodForm::pickMethod);

    auto* method = new QHBoxLayout;
    method->addWidget(labelFor("Online &Payment Method:- ", PayMethodBox));
    method->addWidget(PayMethodBox, 1);
    auto* account = new QGroupBox("Account Information");
    auto* grid = new QGridLayout(account);
    int row = 0;
    const std::pair<QLabel*, QLineEdit*> rows[] = {
        {lblAccountID, edAccountID}, {lblAuthType, edAuthType}, {URLLabel, PaymentURLEdit}};
    for (const auto& [label, edit] : rows) {
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row++, 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(method);
    layout->addWidget(PhoneBackBox);
    layout->addWidget(AllowSnailBox);
    layout->addWidget(InvoiceBox);
    layout->addWidget(account);
    layout->addLayout(frameButtonRow());
}

bool TPayMethodForm::execute()
{
    methods_.fill(state_.ShopFields);
    showMethods();
    PayMethodBox->setFocus();
    return exec() == QDialog::Accepted;
}

void TPayMethodForm::showMethods()
{
    {
        const QSignalBlocker quiet(PayMethodBox);
        PayMethodBox->setCurrentIndex(methods_.chosenMethod);
    }
    PhoneBackBox->setChecked(methods_.phoneBack);
    AllowSnailBox->setChecked(methods_.mailOrder);
    InvoiceBox->setChecked(methods_.invoice);
    edAccountID->setText(fromBytes(methods_.accountId));
    edAuthType->setText(fromBytes(methods_.authorisationType));
    PaymentURLEdit->setText(fromBytes(methods_.paymentUrl));
    const qs::PaymentMethods::Enabled& enabled = methods_.enabled;
    lblAccountID->setEnabled(enabled.accountId);
    edAccountID->setEnabled(enabled.accountId);
    lblAuthType->setEnabled(enabled.authTypeLabel);
    edAuthType->setEnabled(enabled.authType);
    URLLabel->setEnabled(enabled.address);
    PaymentURLEdit->setEnabled(enabled.address);
}

bool TPayMethodForm::takeControls()
{
    TypedTexts typed(ui_);
    const std::string accountId = typed(edAccountID->text());
    const std::string authType = typed(edAuthType->text());
    const std::string address = typed(PaymentURLEdit->text());
    if (!typed.held())
        return false;
    methods_.chosenMethod = PayMethodBox->currentIndex();
    methods_.phoneBack = PhoneBackBox->isChecked();
    methods_.mailOrder = AllowSnailBox->isChecked();
    methods_.invoice = InvoiceBox->isChecked();
    methods_.accountId = accountId;
    methods_.authorisationType = authType;
    methods_.paymentUrl = address;
    return true;
}

void TPayMethodForm::pickMethod(int method)
{
    if (!takeControls()) {
        // The method stays, with what was typed for it.
        const QSignalBlocker quiet(PayMethodBox);
        PayMethodBox->setCurrentIndex(methods_.chosenMethod);
        return;
    }
    methods_.pick(method, state_.ShopFields, ui_);
    showMethods();
}

void TPayMethodForm::confirm()
{
    if (!takeControls())
        return;
    const qs::ShopSettings before = state_.ShopFields;
    if (!methods_.accept(state_.ShopFields, ui_))
        return;
    qs::noteSettingsChange(state_, before);
    accept();
}

} // namespace qs::gui
