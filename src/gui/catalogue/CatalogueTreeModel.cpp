#include "gui/catalogue/CatalogueTreeModel.h"

#include "gui/text/Encoding.h"
#include "gui/catalogue/TreeIcons.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueCommands.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

#include <optional>

namespace qs::gui {
namespace {

// Both payloads begin with the process ID, so that a drag from another
// running copy of the program is never taken for one of ours.
QByteArray payload(quint64 value)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << static_cast<qint64>(QCoreApplication::applicationPid()) << value;
    return bytes;
}

std::optional<quint64> readPayload(const QMimeData* data, const QString& type)
{
    if (!data || !data->hasFormat(type))
        return std::nullopt;
    QByteArray bytes = data->data(type);
    QDataStream in(&bytes, QIODevice::ReadOnly);
    qint64 pid = 0;
    quint64 value = 0;
    in >> pid >> value;
    if (in.status() != QDataStream::Ok || pid != QCoreApplication::applicationPid())
        return std::nullopt;
    return value;
}

} // namespace

const QString CatalogueTreeModel::categoryMimeType = QStringLiteral("application/x-quaystall-category");
const QString CatalogueTreeModel::productMimeType = QStringLiteral("application/x-quaystall-product");

CatalogueTreeModel::CatalogueTreeModel(qs::Catalogue& catalogue, qs::CatalogueCommands* commands,
                                       QObject* parent)
    : QAbstractItemModel(parent), catalogue_(catalogue), commands_(commands),
      rootIcon_(TreeIcons::catalogue()), categoryIcon_(TreeIcons::category())
{
    catalogue_.addObserver(*this);
}

CatalogueTreeModel::~CatalogueTreeModel()
{
    catalogue_.removeObserver(*this);
}

qs::TNewCategory* CatalogueTreeModel::node(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<qs::TNewCategory*>(index.internalPointer()) : nullptr;
}

QModelIndex CatalogueTreeModel::rootIndex() const
{
    return createIndex(0, 0, &catalogue_.root());
}

QModelIndex CatalogueTreeModel::indexOf(const qs::TNewCategory& node) const
{
    auto* n = const_cast<qs::TNewCategory*>(&node);
    return createIndex(node.isRoot() ? 0 : static_cast<int>(node.row()), 0, n);
}

QModelIndex CatalogueTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column != 0)
        return QModelIndex();
    if (!parent.isValid())
        return row == 0 ? rootIndex() : QModelIndex();
    const qs::TNewCategory* above = node(parent);
    if (parent.column() != 0 || static_cast<std::size_t>(row) >= above->children().size())
        return QModelIndex();
    return createIndex(row, 0, above->children()[static_cast<std::size_t>(row)].get());
}

QModelIndex CatalogueTreeModel::parent(const QModelIndex& child) const
{
    const qs::TNewCategory* n = node(child);
    if (!n || n->isRoot())
        return QModelIndex();
    return indexOf(*n->parent());
}

int CatalogueTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return 1;
    if (parent.column() != 0)
        return 0;
    return static_cast<int>(node(parent)->children().size());
}

int CatalogueTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant CatalogueTreeModel::data(const QModelIndex& index, int role) const
{
    const qs::TNewCategory* n = node(index);
    if (!n)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return fromBytes(n->text());
    case Qt::DecorationRole:
        return n->isRoot() ? rootIcon_ : categoryIcon_;
    default:
        return QVariant();
    }
}

Qt::ItemFlags CatalogueTreeModel::flags(const QModelIndex& index) const
{
    const qs::TNewCategory* n = node(index);
    if (!n)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (!n->isRoot())
        flags |= Qt::ItemIsDragEnabled;
    return flags;
}

QStringList CatalogueTreeModel::mimeTypes() const
{
    return {categoryMimeType, productMimeType};
}

Qt::DropActions CatalogueTreeModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions CatalogueTreeModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

QMimeData* CatalogueTreeModel::mimeData(const QModelIndexList& indexes) const
{
    qs::TNewCategory* n = indexes.isEmpty() ? nullptr : node(indexes.first());
    if (!n || n->isRoot())
        return nullptr;
    dragged_ = n;
    ++dragNumber_;
    auto* data = new QMimeData;
    data->setData(categoryMimeType, payload(dragNumber_));
    data->setText(fromBytes(n->text()));
    return data;
}

QMimeData* CatalogueTreeModel::productMimeData(const qs::TNewProduct& product)
{
    auto* data = new QMimeData;
    data->setData(productMimeType, payload(static_cast<quint64>(product.ID)));
    data->setText(fromBytes(product.name()));
    return data;
}

qs::TNewCategory* CatalogueTreeModel::draggedCategory(const QMimeData* data) const
{
    const auto number = readPayload(data, categoryMimeType);
    return number && *number == dragNumber_ ? dragged_ : nullptr;
}

qs::TNewProduct* CatalogueTreeModel::draggedProduct(const QMimeData* data) const
{
    const auto id = readPayload(data, productMimeType);
    if (!id || !commands_)
        return nullptr;
    qs::TNewProduct* current = commands_->editor().CurrentProduct;
    return current && static_cast<quint64>(current->ID) == *id ? current : nullptr;
}

bool CatalogueTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                         const QModelIndex& parent) const
{
    // Drops land on a node, never between two.
    const qs::TNewCategory* target = node(parent);
    if (!commands_ || !target || row >= 0 || !(action & Qt::MoveAction))
        return false;
    if (const qs::TNewCategory* category = draggedCategory(data))
        return qs::CatalogueCommands::acceptsCategoryDrop(*category, *target);
    if (const qs::TNewProduct* product = draggedProduct(data))
        return commands_->acceptsProductDrop(product, *target);
    return false;
}

bool CatalogueTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                      const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    qs::TNewCategory* target = node(parent);
    if (qs::TNewCategory* category = draggedCategory(data)) {
        if (!commands_->dropCategory(*category, *target))
            return false;
        dragged_ = nullptr;
        emit categoryDropped(indexOf(*category));
        return true;
    }
    if (qs::TNewProduct* product = draggedProduct(data))
        return commands_->dropProduct(product, *target);
    return false;
}

// ------------------------------------------------------------ CatalogueObserver

void CatalogueTreeModel::categoryAboutToBeAdded(qs::TNewCategory& parent, std::size_t row)
{
    beginInsertRows(indexOf(parent), static_cast<int>(row), static_cast<int>(row));
}

void CatalogueTreeModel::categoryAdded(qs::TNewCategory&)
{
    endInsertRows();
}

void CatalogueTreeModel::categoryAboutToBeRemoved(qs::TNewCategory& category)
{
    if (dragged_ && (dragged_ == &category || category.isAncestorOf(*dragged_)))
        dragged_ = nullptr;
    const int row = static_cast<int>(category.row());
    beginRemoveRows(indexOf(*category.parent()), row, row);
}

void CatalogueTreeModel::categoryRemoved(qs::TNewCategory&, std::size_t)
{
    endRemoveRows();
}

void CatalogueTreeModel::categoryAboutToBeMoved(qs::TNewCategory& category, qs::TNewCategory& newParent,
                                                std::size_t destination)
{
    const int row = static_cast<int>(category.row());
    moving_ = beginMoveRows(indexOf(*category.parent()), row, row, indexOf(newParent),
                            static_cast<int>(destination));
}

void CatalogueTreeModel::categoryMoved(qs::TNewCategory&)
{
    if (moving_)
        endMoveRows();
    moving_ = false;
}

void CatalogueTreeModel::categoryRenamed(qs::TNewCategory& category)
{
    const QModelIndex at = indexOf(category);
    emit dataChanged(at, at, {Qt::DisplayRole, Qt::ToolTipRole});
}

void CatalogueTreeModel::treeAboutToBeReordered()
{
    emit layoutAboutToBeChanged();
    reordered_ = persistentIndexList();
}

void CatalogueTreeModel::treeReordered()
{
    QModelIndexList now;
    now.reserve(reordered_.size());
    for (const QModelIndex& before : reordered_) {
        const qs::TNewCategory* n = node(before);
        now << (n ? indexOf(*n) : QModelIndex());
    }
    changePersistentIndexList(reordered_, now);
    reordered_.clear();
    emit layoutChanged();
}

void CatalogueTreeModel::catalogueAboutToBeReset()
{
    dragged_ = nullptr;
    beginResetModel();
}

void CatalogueTreeModel::catalogueReset()
{
    endResetModel();
}

} // namespace qs::gui
