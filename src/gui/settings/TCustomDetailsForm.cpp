#include "gui/settings/TCustomDetailsForm.h"

#include "gui/text/Encoding.h"
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
    Edit1 = new QLineEdit(fromBytes(qs::CustomerDetails().Edit1));
    Edit1->setMaximumWidth(60);
    connect(CheckBox1, &QCheckBox::toggled, this, &TCustomDetailsForm::applyEnabling);
    connect(CheckBox2, &QCheckBox::toggled, this, &TCustomDetailsForm::applyEnabling);
    auto* months = new QHBoxLayout;
    months->addWidget(CheckBox2);
    months->addWidget(Edit1);
    months->addWidget(new QLabel("months"));
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
    CheckBox1->setChecked(details.CheckBox1);
    CheckBox2->setChecked(details.CheckBox2);
    Edit1->setText(fromBytes(details.Edit1));
    applyEnabling();
    return exec() == QDialog::Accepted;
}

void TCustomDetailsForm::applyEnabling()
{
    qs::CustomerDetails details;
    details.CheckBox1 = CheckBox1->isChecked();
    details.CheckBox2 = CheckBox2->isChecked();
    CheckBox2->setEnabled(details.checkBox2Enabled());
    Edit1->setEnabled(details.edit1Enabled());
}

void TCustomDetailsForm::confirm()
{
    qs::CustomerDetails details;
    details.CheckBox1 = CheckBox1->isChecked();
    details.CheckBox2 = CheckBox2->isChecked();
    const std::optional<std::string> label = typedBytes(Edit1->text(), ui_);
    if (!label)
        return;
    details.Edit1 = *label;
    const qs::ShopSettings before = state_.ShopFields;
    if (!details.accept(state_.ShopFields, ui_))
        return;
    qs::noteSettingsChange(state_, before);
    accept();
}

} // namespace qs::gui
