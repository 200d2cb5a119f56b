#include "gui/import/TTableErrorForm.h"

#include "gui/text/Encoding.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qs::gui {

TTableErrorForm::TTableErrorForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("TableErrorForm");
    setWindowTitle("Field Not Defined");
    MessageLabel = new QLabel;
    MessageLabel->setWordWrap(true);
    MessageLabel->setMinimumWidth(420);
    ChoiceGroup = new QGroupBox(" Make Your Choice:- ");
    ReturnRadio = new QRadioButton("&Return to the Import Window and Set Up this Field");
    ReturnRadio->setObjectName("ReturnRadio");
    DefaultRadio = new QRadioButton("Fill in the field from the &Default for the Category");
    DefaultRadio->setObjectName("DefaultRadio");
    LeaveBlankRadio = new QRadioButton("Leave the field &blank");
    LeaveBlankRadio->setObjectName("LeaveBlankRadio");
    auto* choices = new QVBoxLayout(ChoiceGroup);
    for (QRadioButton* radio : {ReturnRadio, DefaultRadio, LeaveBlankRadio})
        choices->addWidget(radio);
    IgnoreRecBox = new QCheckBox("I&gnore 'Recommended' fields");
    IgnoreRecBox->setObjectName("IgnoreRecBox");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText("&OK");
    buttons->button(QDialogButtonBox::Cancel)->setText("&Cancel");
    HelpBtn = buttons->addButton("&Help", QDialogButtonBox::HelpRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, &TTableErrorForm::helpRequested);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MessageLabel);
    layout->addWidget(ChoiceGroup);
    layout->addWidget(IgnoreRecBox);
    layout->addWidget(buttons);
}

qs::MissingFieldAnswer TTableErrorForm::ask(const qs::MissingField& field, bool ignoreRecommended)
{
    // A "&" of the name shows as itself, not as an Alt letter.
    const QString name = fromBytes(field.name).replace(QLatin1Char('&'), QStringLiteral("&&"));
    MessageLabel->setText(fromBytes(field.text()));
    DefaultRadio->setText(QStringLiteral("Fill in the '") + name +
                          QStringLiteral("' field from the &Default for the Category"));
    LeaveBlankRadio->setText(QStringLiteral("Leave the '") + name + QStringLiteral("' field &blank"));
    DefaultRadio->setEnabled(field.defaultAllowed());
    (field.initialChoice() == qs::MissingFieldChoice::Return ? ReturnRadio : DefaultRadio)->setChecked(true);
    IgnoreRecBox->setEnabled(field.ignoreRecommendedAllowed());
    IgnoreRecBox->setChecked(ignoreRecommended);
    if (exec() != QDialog::Accepted)
        return {};
    const qs::MissingFieldChoice choice = ReturnRadio->isChecked()    ? qs::MissingFieldChoice::Return
                                          : DefaultRadio->isChecked() ? qs::MissingFieldChoice::Default
                                                                      : qs::MissingFieldChoice::LeaveBlank;
    return {true, choice, IgnoreRecBox->isChecked()};
}

} // namespace qs::gui
