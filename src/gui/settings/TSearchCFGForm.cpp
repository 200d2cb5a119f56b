#include "gui/settings/TSearchCFGForm.h"

#include "gui/text/Encoding.h"
#include "core/app/AppState.h"
#include "core/settings/SettingsChange.h"
#include "gui/ui/DialogParts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace qs::gui {

TSearchCFGForm::TSearchCFGForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent)
    : OkCancelDialog("Online Search Configuration", {}, parent), state_(state), ui_(ui)
{
    ListBox1 = new QListWidget;
    SpeedButton1 = arrowButton(Qt::UpArrow);
    SpeedButton2 = arrowButton(Qt::DownArrow);
    ComboBox1 = new QComboBox;
    AddBtn = plainButton("&Add");
    DeleteBtn = plainButton("&Delete");
    Edit1 = new QLineEdit;
    ChangeBtn = plainButton("Chan&ge");
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, &TSearchCFGForm::showLabel);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { move(-1); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { move(1); });
    connect(AddBtn, &QPushButton::clicked, this, &TSearchCFGForm::add);
    connect(DeleteBtn, &QPushButton::clicked, this, &TSearchCFGForm::remove);
    connect(ChangeBtn, &QPushButton::clicked, this, &TSearchCFGForm::change);

    auto* grid = new QGridLayout;
    grid->addWidget(ListBox1, 0, 0, 1, 2);
    grid->addLayout(arrowColumn(SpeedButton1, SpeedButton2), 0, 2);
    auto* field = new QHBoxLayout;
    field->addWidget(labelFor("&Field:", ComboBox1));
    field->addWidget(ComboBox1, 1);
    grid->addLayout(field, 1, 0);
    grid->addWidget(AddBtn, 1, 1);
    grid->addWidget(DeleteBtn, 2, 1);
    grid->addWidget(labelFor("De&scription:-", Edit1), 3, 0, 1, 2);
    grid->addWidget(Edit1, 4, 0);
    grid->addWidget(ChangeBtn, 4, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Quaystall DB will search online using the following fields, in addition to "
                                 "\"Product Name\":-\n(Further customisation is possible through editing the "
                                 "SearchTemplate.htm file)"));
    layout->addLayout(grid);
    layout->addLayout(frameButtonRow());
}

bool TSearchCFGForm::execute()
{
    if (!search_.fill(state_.ShopFields, state_.InfoList, ui_))
        return false;
    ComboBox1->clear();
    for (const std::string& field : search_.offered)
        ComboBox1->addItem(fromBytes(field));
    ComboBox1->setCurrentIndex(-1);
    showChosen(-1);
    return exec() == QDialog::Accepted;
}

void TSearchCFGForm::showChosen(int selected)
{
    {
        const QSignalBlocker quiet(ListBox1);
        ListBox1->clear();
        for (const qs::SearchFields::Choice& choice : search_.chosen)
            ListBox1->addItem(fromBytes(choice.name));
        ListBox1->setCurrentRow(selected);
    }
    showLabel();
}

void TSearchCFGForm::showLabel()
{
    const int row = selectedRow(ListBox1);
    Edit1->setEnabled(row >= 0);
    Edit1->setText(row < 0 ? QString() : fromBytes(search_.chosen[static_cast<std::size_t>(row)].label));
}

void TSearchCFGForm::add()
{
    if (ComboBox1->currentIndex() < 0)
        return;
    const std::optional<std::string> field = typedBytes(ComboBox1->currentText(), ui_);
    if (!field)
        return;
    if (const std::optional<std::size_t> added = search_.add(*field))
        showChosen(static_cast<int>(*added));
}

void TSearchCFGForm::remove()
{
    const int row = selectedRow(ListBox1);
    if (row < 0)
        return;
    search_.remove(static_cast<std::size_t>(row));
    showChosen(-1);
}

void TSearchCFGForm::change()
{
    const int row = selectedRow(ListBox1);
    if (row < 0)
        return;
    const std::optional<std::string> label = typedBytes(Edit1->text(), ui_);
    if (label && !search_.changeLabel(static_cast<std::size_t>(row), *label, ui_))
        showLabel();
}

void TSearchCFGForm::move(int step)
{
    const int row = selectedRow(ListBox1);
    if (row < 0)
        return;
    if (const std::optional<std::size_t> moved = search_.move(static_cast<std::size_t>(row), step))
        showChosen(static_cast<int>(*moved));
}

void TSearchCFGForm::confirm()
{
    const qs::ShopSettings before = state_.ShopFields;
    search_.accept(state_.ShopFields);
    qs::noteSettingsChange(state_, before);
    accept();
}

} // namespace qs::gui
