#include "gui/catalogue/grids/CategoryGridModel.h"

#include "gui/text/Encoding.h"
#include "gui/catalogue/grids/GridStyle.h"
#include "gui/catalogue/grids/PictureTip.h"
#include "core/app/AppState.h"
#include "core/catalogue/ValueRules.h"
#include "core/ui/UserInterface.h"

namespace qs::gui {

CategoryGridModel::CategoryGridModel(qs::AppState& state, qs::UserInterface& ui, QObject* parent)
    : EditingGridModel(state.catalogue, parent), state_(state), ui_(ui), grid_(state.InfoList)
{
}

int CategoryGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !category_ ? 0 : grid_.rowCount();
}

int CategoryGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant CategoryGridModel::data(const QModelIndex& index, int role) const
{
    if (!category_ || !index.isValid())
        return QVariant();
    const qs::CellView cell = grid_.cell(*category_, index.column(), index.row());
    switch (role) {
    case Qt::DisplayRole:
        return fromBytes(cell.text);
    case Qt::EditRole:
        return fromBytes(grid_.dialogValue(*category_, index.row()));
    case Qt::ForegroundRole:
        return foregroundFor(cell.style);
    case Qt::BackgroundRole:
        if (index.column() == 1 && !grid_.note(*category_, index.row()).empty())
            return unreadableBackground();
        return backgroundFor(cell.style);
    case Qt::ToolTipRole:
        if (index.column() == 1 && grid_.dialog(index.row()) == qs::CategoryGrid::Dialog::Picture)
            return pictureTip(state_.LocImg, grid_.dialogValue(*category_, index.row()));
        if (const std::string note = grid_.note(*category_, index.row()); index.column() == 1 && !note.empty())
            return fromBytes(note);
        return QVariant();
    default:
        return QVariant();
    }
}

Qt::ItemFlags CategoryGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() == 0 || index.column() == 0)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (grid_.editable(index.column(), index.row()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool CategoryGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !grid_.editable(index.column(), index.row()))
        return false;
    const std::optional<std::string> typed = typedBytes(value.toString(), ui_);
    return typed && storeRow(index.row(), *typed);
}

bool CategoryGridModel::storeRow(int row, const std::string& value)
{
    if (!category_)
        return false;
    auto changes = state_.changes();
    const qs::CategoryGrid::Stored stored = grid_.store(changes, *category_, row, qs::oneLineValue(value));
    if (!stored.refusal.empty())
        ui_.message(stored.refusal, qs::MessageKind::Warning);
    else if (const std::string note = grid_.note(*category_, row); !note.empty())
        ui_.message(note, qs::MessageKind::Warning);
    return stored.kept;
}

const void* CategoryGridModel::recordAt(int) const
{
    return category_;
}

bool CategoryGridModel::clearCell(const QModelIndex& index)
{
    if (!index.isValid() || index.column() != 1 || index.row() == 0)
        return false;
    return storeRow(index.row(), std::string());
}

void CategoryGridModel::categoryDetailChanged(qs::TNewCategory& category, std::string_view)
{
    if (&category == category_)
        emit dataChanged(index(0, 1), index(rowCount() - 1, 1));
}

} // namespace qs::gui
