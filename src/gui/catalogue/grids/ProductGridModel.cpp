#include "gui/catalogue/grids/ProductGridModel.h"

#include "gui/catalogue/CatalogueTreeModel.h"
#include "gui/text/Encoding.h"
#include "gui/catalogue/grids/GridStyle.h"
#include "gui/catalogue/grids/PictureTip.h"
#include "core/app/AppState.h"
#include "core/catalogue/EditorState.h"
#include "core/catalogue/ValueRules.h"
#include "core/ui/UserInterface.h"

#include <QBrush>
#include <QMimeData>

#include <utility>

namespace qs::gui {

ProductGridModel::ProductGridModel(qs::AppState& state, qs::EditorState& editor, qs::UserInterface& ui,
                                   QObject* parent)
    : EditingGridModel(state.catalogue, parent), state_(state), editor_(editor), ui_(ui),
      grid_(state.InfoList)
{
}

void ProductGridModel::applyCustomMax()
{
    beginResetModel();
    grid_.applyCustomMax(state_.ShopFields);
    endResetModel();
}

void ProductGridModel::setCurrentRow(int row)
{
    const int before = std::exchange(currentRow_, row);
    for (const int changed : {before, row})
        if (changed >= 0 && changed < rowCount())
            emit dataChanged(index(changed, 0), index(changed, 0), {Qt::ForegroundRole, Qt::BackgroundRole});
}

qs::TNewProduct* ProductGridModel::productAt(int row) const
{
    return category_ ? grid_.product(*category_, row + 1) : nullptr;
}

QModelIndex ProductGridModel::indexOf(const qs::TNewProduct& product, int column) const
{
    if (!category_ || product.Category != category_)
        return QModelIndex();
    const auto row = category_->indexOfProduct(product);
    return row < 0 ? QModelIndex() : index(static_cast<int>(row), column);
}

int ProductGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !category_ ? 0 : grid_.rowCount(*category_) - 1;
}

int ProductGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : grid_.columnCount();
}

QVariant ProductGridModel::data(const QModelIndex& index, int role) const
{
    if (!category_ || !index.isValid())
        return QVariant();
    const int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return fromBytes(grid_.cell(*category_, index.column(), row).text);
    case Qt::EditRole:
        return fromBytes(dialogValue(index));
    case Qt::ForegroundRole:
        if (index.column() == 0 && index.row() == currentRow_)
            return QBrush(Qt::white);
        return foregroundFor(grid_.cell(*category_, index.column(), row).style);
    case Qt::BackgroundRole:
        if (index.column() == 0 && index.row() == currentRow_)
            return QBrush(Qt::gray);
        if (index.column() == 0)
            return backgroundFor(qs::CellStyle::Heading);
        return grid_.note(*category_, index.column(), row).empty() ? backgroundFor(qs::CellStyle::Plain)
                                                                   : unreadableBackground();
    case Qt::ToolTipRole:
        if (grid_.dialog(index.column()) == qs::ProductGrid::Dialog::Picture)
            return pictureTip(state_.LocImg, dialogValue(index));
        if (const std::string note = grid_.note(*category_, index.column(), row); !note.empty())
            return fromBytes(note);
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant ProductGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return fromBytes(grid_.heading(section).text);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ProductGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || !category_)
        return Qt::NoItemFlags;
    if (index.column() == 0)
        return productAt(index.row()) ? Qt::ItemIsEnabled | Qt::ItemIsDragEnabled : Qt::ItemIsEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (grid_.editable(*category_, index.column(), index.row() + 1))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ProductGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !editable(index))
        return false;
    const std::optional<std::string> typed = typedBytes(value.toString(), ui_);
    return typed && store(index, *typed);
}

bool ProductGridModel::store(const QModelIndex& index, const std::string& value)
{
    if (!category_ || !index.isValid())
        return false;
    auto changes = state_.changes();
    const qs::TNewProduct* product = productAt(index.row());
    const std::string_view field = grid_.field(index.column());
    const auto own = [&] { return product && !field.empty() ? std::string(product->field(field)) : std::string(); };
    const std::string before = own();
    const std::string refusal =
        grid_.store(changes, *category_, index.column(), index.row() + 1, qs::oneLineValue(value));
    if (!refusal.empty()) {
        ui_.message(refusal, qs::MessageKind::Warning);
        return false;
    }
    // Kept as typed, but the merchant hears at once what the shop will make of
    // it: once, when it is typed, not each time the cell is passed through.
    const bool typed = own() != before;
    if (const std::string note = grid_.note(*category_, index.column(), index.row() + 1); typed && !note.empty())
        ui_.message(note, qs::MessageKind::Warning);
    return true;
}

std::string ProductGridModel::dialogValue(const QModelIndex& index) const
{
    const qs::TNewProduct* product = productAt(index.row());
    const std::string_view field = grid_.field(index.column());
    if (!product || field.empty())
        return {};
    return std::string(product->effectiveField(qs::FieldNames::intern(field)));
}

const void* ProductGridModel::recordAt(int row) const
{
    return productAt(row);
}

bool ProductGridModel::clearCell(const QModelIndex& index)
{
    return index.column() > 0 && store(index, std::string());
}

QStringList ProductGridModel::mimeTypes() const
{
    return {CatalogueTreeModel::productMimeType};
}

QMimeData* ProductGridModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    qs::TNewProduct* product = productAt(indexes.first().row());
    if (!product)
        return nullptr;
    // The product dragged is the current one, which the tree's drop takes.
    editor_.setCurrentProduct(product);
    return CatalogueTreeModel::productMimeData(*product);
}

Qt::DropActions ProductGridModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

// ------------------------------------------------------------ CatalogueObserver

void ProductGridModel::productAboutToBeAdded(qs::TNewCategory& category, std::size_t row)
{
    adding_ = &category == category_;
    if (adding_)
        beginInsertRows(QModelIndex(), static_cast<int>(row), static_cast<int>(row));
}

void ProductGridModel::productAdded(qs::TNewProduct&)
{
    if (adding_)
        endInsertRows();
    adding_ = false;
}

void ProductGridModel::productAboutToBeRemoved(qs::TNewCategory& category, std::size_t row)
{
    removing_ = &category == category_;
    if (removing_)
        beginRemoveRows(QModelIndex(), static_cast<int>(row), static_cast<int>(row));
}

void ProductGridModel::productRemoved(qs::TNewCategory&, std::size_t)
{
    if (removing_)
        endRemoveRows();
    removing_ = false;
}

void ProductGridModel::productFieldChanged(qs::TNewProduct& product, qs::FieldId)
{
    const QModelIndex first = indexOf(product, 0);
    if (first.isValid())
        emit dataChanged(first, index(first.row(), columnCount() - 1));
}

void ProductGridModel::categoryDetailChanged(qs::TNewCategory& category, std::string_view name)
{
    // A default shows in every product that has no value of its own.
    if (&category == category_ && name.starts_with(qs::defaultPrefix) && rowCount() > 0)
        emit dataChanged(index(0, 1), index(rowCount() - 1, columnCount() - 1));
}

void ProductGridModel::categoryRenamed(qs::TNewCategory&)
{
    for (int column = 1; column < columnCount(); ++column)
        if (grid_.field(column) == qs::categoryField && rowCount() > 0)
            emit dataChanged(index(0, column), index(rowCount() - 1, column));
}

} // namespace qs::gui
