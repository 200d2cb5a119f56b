#include "gui/import/ImportTableModel.h"

#include "gui/text/Encoding.h"
#include "core/fields/FieldDefinitions.h"

#include <limits>

namespace qs::gui {

ImportTableModel::ImportTableModel(qs::ImportSheet& sheet, const qs::FieldDefinitions& fields,
                                   qs::UserInterface& ui, QObject* parent)
    : QAbstractTableModel(parent), sheet_(sheet), fields_(fields), ui_(ui), cells_(sheet)
{
}

int ImportTableModel::rowCount(const QModelIndex& parent) const
{
    constexpr std::size_t most = std::numeric_limits<int>::max();
    return parent.isValid() ? 0 : static_cast<int>(std::min(sheet_.rowCount(), most));
}

int ImportTableModel::columnCount(const QModelIndex& parent) const
{
    constexpr std::size_t most = std::numeric_limits<int>::max();
    return parent.isValid() ? 0 : static_cast<int>(std::min(sheet_.columnCount(), most));
}

QString ImportTableModel::cellText(int row, int column) const
{
    if (row != cachedRow_ || sheet_.changeCount() != cachedChanges_) {
        cells_.read(static_cast<std::size_t>(row));
        cachedRow_ = row;
        cachedChanges_ = sheet_.changeCount();
    }
    return fromBytes(cells_[static_cast<std::size_t>(column)]);
}

QVariant ImportTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cellText(index.row(), index.column());
}

bool ImportTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const std::optional<std::string> typed = typedBytes(value.toString(), ui_);
    if (!typed)
        return false;
    sheet_.setCell(static_cast<std::size_t>(index.row()), static_cast<std::size_t>(index.column()), *typed);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QVariant ImportTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return QAbstractTableModel::headerData(section, orientation, role);
    const auto at = static_cast<std::size_t>(section);
    if (orientation == Qt::Vertical)
        return at < sheet_.rowCount() ? fromBytes(qs::rowTypeText(sheet_.rowType(at))) : QVariant();
    return at < sheet_.columnCount() ? fromBytes(sheet_.assignments().heading(at, fields_)) : QVariant();
}

Qt::ItemFlags ImportTableModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable : Qt::NoItemFlags;
}

void ImportTableModel::sheetReplaced()
{
    beginResetModel();
    cachedRow_ = -1;
    endResetModel();
}

void ImportTableModel::sheetChanged()
{
    cachedRow_ = -1;
    if (rowCount() == 0 || columnCount() == 0)
        return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

void ImportTableModel::setRowTypes(int first, int last, qs::RowType type)
{
    if (first < 0 || last < first)
        return;
    sheet_.setRowTypes(static_cast<std::size_t>(first), static_cast<std::size_t>(last), type);
    emit headerDataChanged(Qt::Vertical, first, last);
}

void ImportTableModel::headingsTouched(const qs::ColumnAssignments::Touched& touched)
{
    emit headerDataChanged(Qt::Horizontal, static_cast<int>(touched.first), static_cast<int>(touched.second));
}

void ImportTableModel::assign(int column, std::size_t field, qs::AssignMode mode)
{
    headingsTouched(sheet_.assignments().assign(static_cast<std::size_t>(column), field, mode));
}

void ImportTableModel::unassign(int column)
{
    headingsTouched(sheet_.assignments().unassign(static_cast<std::size_t>(column)));
}

void ImportTableModel::useFirstRowAsHeadings()
{
    sheet_.useFirstRowAsHeadings(fields_);
    if (rowCount() == 0)
        return;
    emit headerDataChanged(Qt::Vertical, 0, 0);
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

} // namespace qs::gui
