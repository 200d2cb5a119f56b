#include "gui/catalogue/TInspectorForm.h"

#include "gui/catalogue/grids/GridStyle.h"
#include "gui/text/Encoding.h"
#include "gui/ui/DialogParts.h"
#include "core/ui/UserInterface.h"

#include <QBrush>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qs::gui {

TInspectorForm::TInspectorForm(const qs::FieldDefinitions& definitions, qs::UserInterface& ui,
                               QWidget* parent)
    : OkCancelDialog({}, {.ok = "&OK", .cancel = "&Cancel", .enter = EnterKey::LeftToControls}, parent),
      definitions_(definitions), ui_(ui)
{
    AdviceLabel = new QLabel("If there are any fields you do not require, please leave them blank.");
    StringGrid = new QTableWidget;
    QFont small = StringGrid->font();
    small.setPointSize(7);
    StringGrid->setFont(small);
    StringGrid->verticalHeader()->setDefaultSectionSize(20);
    // Typing into a cell starts editing it, as in the product grid.
    StringGrid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                                QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    NewTypeBtn = plainButton("&New Type");
    DeleteTypeBtn = plainButton("&Delete Type");

    connect(StringGrid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (inspector_)
            cellTyped(item);
    });
    connect(NewTypeBtn, &QPushButton::clicked, this, &TInspectorForm::newType);
    connect(DeleteTypeBtn, &QPushButton::clicked, this, &TInspectorForm::deleteType);

    QHBoxLayout* buttons = frameButtonRow();
    buttons->insertWidget(0, NewTypeBtn);
    buttons->insertWidget(1, DeleteTypeBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(AdviceLabel);
    layout->addWidget(StringGrid);
    layout->addLayout(buttons);
}

std::optional<qs::ProductInspector::FieldChanges> TInspectorForm::inspect(const qs::TNewProduct& product)
{
    inspector_.emplace(definitions_, product);
    setWindowTitle(fromBytes(inspector_->caption()));
    showTable();
    StringGrid->setCurrentCell(0, 0);
    StringGrid->setFocus();
    const bool confirmed = exec() == QDialog::Accepted;
    inspector_.reset();
    if (!confirmed)
        return std::nullopt;
    return std::move(changes_);
}

void TInspectorForm::showTable()
{
    const QSignalBlocker quiet(StringGrid);
    const auto rows = static_cast<int>(inspector_->rowCount());
    const auto types = static_cast<int>(inspector_->typeCount());
    StringGrid->clear();
    StringGrid->setRowCount(rows);
    StringGrid->setColumnCount(types);
    // The header row stays empty; the names stand in the header column.
    StringGrid->setHorizontalHeaderLabels(QStringList(types, QString()));
    QStringList names;
    for (int row = 0; row < rows; ++row) {
        names << fromBytes(inspector_->rowName(static_cast<std::size_t>(row)));
        for (int type = 0; type < types; ++type) {
            auto* item = new QTableWidgetItem(
                fromBytes(inspector_->cell(static_cast<std::size_t>(row), static_cast<std::size_t>(type))));
            StringGrid->setItem(row, type, item);
            markUnreadable(item);
        }
    }
    StringGrid->setVerticalHeaderLabels(names);
    DeleteTypeBtn->setEnabled(types > 0);
}

void TInspectorForm::cellTyped(QTableWidgetItem* item)
{
    const auto row = static_cast<std::size_t>(item->row());
    const auto type = static_cast<std::size_t>(item->column());
    if (std::optional<std::string> typed = typedBytes(item->text(), ui_)) {
        inspector_->setCell(row, type, std::move(*typed));
    } else {
        const QSignalBlocker quiet(StringGrid);
        item->setText(fromBytes(inspector_->cell(row, type)));
    }
    markUnreadable(item);
}

void TInspectorForm::markUnreadable(QTableWidgetItem* item) const
{
    const QSignalBlocker quiet(StringGrid);
    const std::string note =
        inspector_->cellNote(static_cast<std::size_t>(item->row()), static_cast<std::size_t>(item->column()));
    item->setToolTip(fromBytes(note));
    item->setBackground(note.empty() ? backgroundFor(qs::CellStyle::Plain).value<QBrush>()
                                     : unreadableBackground().value<QBrush>());
}

void TInspectorForm::newType()
{
    const int row = std::max(StringGrid->currentRow(), 0);
    if (!inspector_->newType(ui_))
        return;
    showTable();
    // The new type's column is current, for typing into it or Delete Type.
    StringGrid->setCurrentCell(row, StringGrid->columnCount() - 1);
}

void TInspectorForm::deleteType()
{
    const int type = StringGrid->currentColumn();
    if (type < 0 || !inspector_->deleteType(static_cast<std::size_t>(type), ui_))
        return;
    showTable();
    StringGrid->setCurrentCell(std::max(StringGrid->currentRow(), 0),
                               std::min(type, StringGrid->columnCount() - 1));
}

void TInspectorForm::confirm()
{
    // A cell still being typed into holds the latest text: moving the current
    // cell away and back hands it to the table.
    const QModelIndex current = StringGrid->currentIndex();
    StringGrid->setCurrentIndex(QModelIndex());
    StringGrid->setCurrentIndex(current);
    if (std::optional<qs::ProductInspector::FieldChanges> changes = inspector_->confirm(ui_)) {
        changes_ = std::move(*changes);
        accept();
    }
}

} // namespace qs::gui
