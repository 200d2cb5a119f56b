#include "gui/settings/TVATCodeModForm.h"

#include "gui/text/Encoding.h"
#include "core/ui/UserInterface.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace qs::gui {

TVATCodeModForm::TVATCodeModForm(qs::UserInterface& ui, QWidget* parent)
    : OkCancelDialog("Modify VAT Code", {}, parent), ui_(ui)
{
    Edit1 = new QLineEdit;
    Edit2 = new QLineEdit;
    Edit3 = new QLineEdit;
    // A description such as "Standard rate, from January 2011" shows whole.
    Edit3->setMinimumWidth(Edit3->fontMetrics().averageCharWidth() * descriptionWidth);
    auto* fields = new QFormLayout;
    fields->addRow("&VAT Code", Edit1);
    fields->addRow("VAT &Rate", Edit2);
    fields->addRow("Code &Description", Edit3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(frameButtonRow());
}

bool TVATCodeModForm::execute(const qs::VatCode& shown)
{
    Edit1->setText(fromBytes(shown.code));
    Edit2->setText(fromBytes(shown.rate));
    Edit3->setText(fromBytes(shown.description));
    Edit1->setFocus();
    return exec() == QDialog::Accepted;
}

void TVATCodeModForm::confirm()
{
    TypedTexts typed(ui_);
    qs::VatCode code{typed(Edit1->text()), typed(Edit2->text()), typed(Edit3->text())};
    if (!typed.held())
        return;
    typed_ = std::move(code);
    accept();
}

} // namespace qs::gui
