#include "gui/settings/TMercDetailsForm.h"

#include "gui/text/Encoding.h"
#include "core/app/AppState.h"
#include "core/text/FileError.h"
#include "core/ui/UserInterface.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
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
    : OkCancelDialog("Merchant Details", {.helpTopic = helpTopic, .enter = EnterKey::PressesFocusedButton},
                     parent),
      state_(state), ui_(ui), payment_(std::move(payment))
{
    MercNameEdit = new QLineEdit;
    AddressMemo = new QPlainTextEdit;
    AddressMemo->setTabChangesFocus(true);
    EmailEdit = new QLineEdit;
    TechSupportEmail = new QLineEdit;
    HomeURLEdit = new QLineEdit;
    ChequeNameEdit = new QLineEdit;
    auto* form = new QFormLayout;
    form->addRow("Merchant &Name:", MercNameEdit);
    form->addRow("&Address:", AddressMemo);
    form->addRow("&Sales e-mail:", EmailEdit);
    form->addRow("&Tech support e-mail:", TechSupportEmail);
    form->addRow("Home &Page:", HomeURLEdit);
    form->addRow("Cheques pa&yable to:", ChequeNameEdit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(frameButtonRow());
}

void TMercDetailsForm::showDetails()
{
    MerchantDetails details;
    details.fill(state_.ShopFields);
    MercNameEdit->setText(fromBytes(details.merchantName));
    AddressMemo->setPlainText(memoText(details.address));
    EmailEdit->setText(fromBytes(details.salesEmail));
    TechSupportEmail->setText(fromBytes(details.techSupportEmail));
    HomeURLEdit->setText(fromBytes(details.homePage));
    ChequeNameEdit->setText(fromBytes(details.chequePayee));
}

std::optional<MerchantDetails> TMercDetailsForm::typedDetails() const
{
    TypedTexts typed(ui_);
    MerchantDetails details;
    details.merchantName = typed(MercNameEdit->text());
    details.address = typed(memoTyped(AddressMemo));
    details.salesEmail = typed(EmailEdit->text());
    details.techSupportEmail = typed(TechSupportEmail->text());
    details.homePage = typed(HomeURLEdit->text());
    details.chequePayee = typed(ChequeNameEdit->text());
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
