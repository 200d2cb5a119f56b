#include "gui/settings/TCustomDetailsForm.h"

#include "gui/text/Encoding.h"
#include "gui/ui/DialogParts.h"
#include "core/app/AppState.h"
#include "core/settings/SettingsChange.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace qs::gui {

TCustomDetailsForm::TCustomDetailsForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent)
    : OkCancelDialog("Customer Details", {.ok = "&OK", .cancel = "&Cancel"}, parent), state_(state), ui_(ui)
{
    CheckBox1 = new QCheckBox("&Remember Customer Details");
    CheckBox2 = new QCheckBox("&Delete unused records after");
    Edit1 = new QLineEdit(fromBytes(qs::CustomerDetails().expiryMonths));
    Edit1->setMaximumWidth(60);
    connect(CheckBox1, &QCheckBox::toggled, this, &TCustomDetailsForm::applyEnabling);
    connect(CheckBox2, &QCheckBox::toggled, this, &TCustomDetailsForm::applyEnabling);
    auto* months = new QHBoxLayout;
    months->addWidget(CheckBox2);
    months->addWidget(Edit1);
    months->addWidget(labelFor("&months", Edit1));
    months->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CheckBox1);
    layout->addLayout(months);
    layout->addWidget(
        new QLabel("( It is recommended that unused records are deleted after 6 months or less)"));
    layout->addLayout(frameButtonRow());
    applyEnabling();
}

bool TCustomDetailsForm::execute()
{
    qs::CustomerDetails details;
    details.fill(state_.ShopFields);
    CheckBox1->setChecked(details.rememberCustomers);
    CheckBox2->setChecked(details.deleteUnusedRecords);
    Edit1->setText(fromBytes(details.expiryMonths));
    applyEnabling();
    return exec() == QDialog::Accepted;
}

void TCustomDetailsForm::applyEnabling()
{
    qs::CustomerDetails details;
    details.rememberCustomers = CheckBox1->isChecked();
    details.deleteUnusedRecords = CheckBox2->isChecked();
    CheckBox2->setEnabled(details.deleteUnusedRecordsEnabled());
    Edit1->setEnabled(details.expiryMonthsEnabled());
}

void TCustomDetailsForm::confirm()
{
    qs::CustomerDetails details;
    details.rememberCustomers = CheckBox1->isChecked();
    details.deleteUnusedRecords = CheckBox2->isChecked();
    const std::optional<std::string> months = typedBytes(Edit1->text(), ui_);
    if (!months)
        return;
    details.expiryMonths = *months;
    const qs::ShopSettings before = state_.ShopFields;
    if (!details.accept(state_.ShopFields, ui_))
        return;
    qs::noteSettingsChange(state_, before);
    accept();
}

} // namespace qs::gui
