#include "gui/import/TEmptyCellDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qs::gui {

TEmptyCellDlg::TEmptyCellDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("EmptyCellDlg");
    setWindowTitle("Warning!");
    MessageLabel = new QLabel("The highlighted cell is empty.");
    ChoiceGroup = new QGroupBox(" Choose one:- ");
    BlankRadio = new QRadioButton("&Leave This Cell Blank");
    IgnoreRadio = new QRadioButton("&Ignore This Row");
    PreviousRadio = new QRadioButton("&Fill in This Cell From the Previous Entry");
    auto* choices = new QVBoxLayout(ChoiceGroup);
    for (QRadioButton* radio : {BlankRadio, IgnoreRadio, PreviousRadio})
        choices->addWidget(radio);
    DefaultBox = new QCheckBox("&Make this Response the Default for This Column");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText("&OK");
    buttons->button(QDialogButtonBox::Cancel)->setText("&Cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MessageLabel);
    layout->addWidget(ChoiceGroup);
    layout->addWidget(DefaultBox);
    layout->addWidget(buttons);
}

qs::EmptyCellReply TEmptyCellDlg::ask()
{
    BlankRadio->setChecked(true);
    DefaultBox->setChecked(true);
    if (exec() != QDialog::Accepted)
        return {true};
    const qs::EmptyCellAnswer answer = IgnoreRadio->isChecked()     ? qs::EmptyCellAnswer::IgnoreRow
                                       : PreviousRadio->isChecked() ? qs::EmptyCellAnswer::FillFromPrevious
                                                                    : qs::EmptyCellAnswer::LeaveBlank;
    return {false, answer, DefaultBox->isChecked()};
}

} // namespace qs::gui
