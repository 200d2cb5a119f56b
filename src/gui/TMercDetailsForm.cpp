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

QString memoTyped(const QPlainTextEdit* memo)
{
    return memo->toPlainText().replace("\n", "\r\n");
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

std::optional<MerchantDetails> TMercDetailsForm::typedDetails() const
{
    TypedTexts typed(ui_);
    MerchantDetails details;
    details.MercNameEdit = typed(MercNameEdit->text());
    details.AddressMemo = typed(memoTyped(AddressMemo));
    details.EmailEdit = typed(EmailEdit->text());
    details.TechSupportEmail = typed(TechSupportEmail->text());
    details.HomeURLEdit = typed(HomeURLEdit->text());
    details.ChequeNameEdit = typed(ChequeNameEdit->text());
    if (!typed.held())
        return std::nullopt;
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
    const std::optional<MerchantDetails> details = typedDetails();
    if (details && details->accept(state_.ShopFields, ui_, payment))
        accept();
}

void TMercDetailsForm::done(int result)
{
    // Cancel discards the typing, but what other dialogs changed is written too.
    try {
        MerchantDetails::save(state_, state_);
    } catch (const FileError& error) {
        ui_.message(error.what(), MessageKind::Error);
    }
    QDialog::done(result);
}

} // namespace qs::gui
