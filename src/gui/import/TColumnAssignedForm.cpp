#include "gui/import/TColumnAssignedForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qs::gui {

TColumnAssignedForm::TColumnAssignedForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("ColumnAssignedForm");
    setWindowTitle("Warning");
    MessageLabel = new QLabel;
    MessageLabel->setWordWrap(true);
    MessageLabel->setMinimumWidth(360);
    SwitchBtn = new QPushButton("&Switch");
    RevertBtn = new QPushButton("&Cancel");
    AddBtn = new QPushButton("&Add");
    HelpBtn = new QPushButton("&Help");
    HelpBtn->setAutoDefault(false);
    connect(SwitchBtn, &QPushButton::clicked, this, [this] {
        answer_ = qs::AssignMode::Switch;
        accept();
    });
    connect(AddBtn, &QPushButton::clicked, this, [this] {
        answer_ = qs::AssignMode::Add;
        accept();
    });
    connect(RevertBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, &TColumnAssignedForm::helpRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {SwitchBtn, RevertBtn, AddBtn, HelpBtn})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MessageLabel);
    layout->addLayout(buttons);
}

QString TColumnAssignedForm::message(const QString& fieldName)
{
    return QStringLiteral("You have already assigned a column to the '") + fieldName +
           QStringLiteral(
               "' field. Do you wish to switch to the new column, revert to the old column, or set "
               "the new column as an additional one?");
}

std::optional<qs::AssignMode> TColumnAssignedForm::ask(const QString& fieldName)
{
    MessageLabel->setText(message(fieldName));
    answer_.reset();
    SwitchBtn->setDefault(true);
    exec();
    return answer_;
}

} // namespace qs::gui
