#include "settings/TVATCodeModForm.h"

#include "Encoding.h"
#include "settings/DialogParts.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qs::gui {

TVATCodeModForm::TVATCodeModForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Modify VAT Code");
    Edit1 = new QLineEdit;
    Edit2 = new QLineEdit;
    Edit3 = new QLineEdit;
    // A description such as "Standard rate, from January 2011" shows whole.
    Edit3->setMinimumWidth(Edit3->fontMetrics().averageCharWidth() * descriptionWidth);
    OKBtn = new QPushButton("OK");
    OKBtn->setDefault(true);
    CancelBtn = plainButton("Cancel");
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    auto* fields = new QFormLayout;
    fields->addRow("VAT Code", Edit1);
    fields->addRow("VAT Rate", Edit2);
    fields->addRow("Code Description", Edit3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttonRow({OKBtn, CancelBtn}));
}

bool TVATCodeModForm::execute(const qs::VatCode& shown)
{
    Edit1->setText(fromBytes(shown.code));
    Edit2->setText(fromBytes(shown.rate));
    Edit3->setText(fromBytes(shown.description));
    Edit1->setFocus();
    return exec() == QDialog::Accepted;
}

qs::VatCode TVATCodeModForm::typed() const
{
    return {toBytes(Edit1->text()), toBytes(Edit2->text()), toBytes(Edit3->text())};
}

} // namespace qs::gui
