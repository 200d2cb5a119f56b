#include "TMercDetailsForm.h"

#include "Encoding.h"
#include "app/AppState.h"
#include "text/FileError.h"
#include "ui/UserInterface.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qs::gui {

namespace {

// The details hold the address with CR LF line breaks; the memo shows LF.
QString memoText(const std::string& bytes)
{
    return fromBytes(bytes).replace("\r\n", "\n");
}

std::string memoBytes(const QPlainTextEdit* memo)
{
    return toBytes(memo->toPlainText().replace("\n", "\r\n"));
}

} // namespace

TMercDetailsForm::TMercDetailsForm(qs::AppState& state, qs::UserInterface& ui, PaymentAccountSource payment,
                                   QWidget* parent)
    : QDialog(parent), state_(state), ui_(ui), payment_(std::move(payment))
{
    setWindowTitle("Merchant Details");
    MercNameEdit = new QLineEdit;
    AddressMemo = new QPlainTextEdit;
    AddressMemo->setTabChangesFocus(true);
    EmailEdit = new QLineEdit;
    TechSupportEmail = new QLineEdit;
    HomeURLEdit = new QLineEdit;
    ChequeNameEdit = new QLineEdit;
    auto* form = new QFormLayout;
    form->addRow("Merchant Name:", MercNameEdit);
    form->addRow("Address:", AddressMemo);
    form->addRow("Sales e-mail:", EmailEdit);
    form->addRow("Tech support e-mail:", TechSupportEmail);
    form->addRow("Home Page:", HomeURLEdit);
    form->addRow("Cheques payable to:", ChequeNameEdit);

    OKBtn = new QPushButton("OK");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel");
    HelpBtn = new QPushButton("Help");
    connect(OKBtn, &QPushButton::clicked, this, &TMercDetailsForm::confirm);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { emit helpRequested(helpTopic); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void TMercDetailsForm::showDetails()
{
    MerchantDetails details;
    details.fill(state_.ShopFields);
    MercNameEdit->setText(fromBytes(details.MercNameEdit));
    AddressMemo->setPlainText(memoText(details.AddressMemo));
    EmailEdit->setText(fromBytes(details.EmailEdit));
    TechSupportEmail->setText(fromBytes(details.TechSupportEmail));
    HomeURLEdit->setText(fromBytes(details.HomeURLEdit));
    ChequeNameEdit->setText(fromBytes(details.ChequeNameEdit));
}

MerchantDetails TMercDetailsForm::typedDetails() const
{
    MerchantDetails details;
    details.MercNameEdit = toBytes(MercNameEdit->text());
    details.AddressMemo = memoBytes(AddressMemo);
    details.EmailEdit = toBytes(EmailEdit->text());
    details.TechSupportEmail = toBytes(TechSupportEmail->text());
    details.HomeURLEdit = toBytes(HomeURLEdit->text());
    details.ChequeNameEdit = toBytes(ChequeNameEdit->text());
    return details;
}

bool TMercDetailsForm::execute()
{
    showDetails();
    MercNameEdit->setFocus();
    return exec() == QDialog::Accepted;
}

void TMercDetailsForm::confirm()
{
    const MerchantDetails::PaymentAccount payment =
        payment_ ? payment_() : MerchantDetails::PaymentAccount::stored(state_.ShopFields);
    if (typedDetails().accept(state_.ShopFields, ui_, payment))
        accept();
}

void TMercDetailsForm::done(int result)
{
    // Cancel discards the typing, but what other dialogs changed is written too.
    try {
        MerchantDetails::save(state_);
    } catch (const FileError& error) {
        ui_.message(error.what(), MessageKind::Error);
    }
    QDialog::done(result);
}

} // namespace qs::gui
