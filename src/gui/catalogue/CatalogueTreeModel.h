#pragma once

#include "core/catalogue/CatalogueObserver.h"

#include <QAbstractItemModel>
#include <QIcon>
#include <QPersistentModelIndex>

namespace qs {
class Catalogue;
class CatalogueCommands;
class TNewCategory;
class TNewProduct;
} // namespace qs

namespace qs::gui {

// The catalogue tree for a QTreeView: one top-level row, the root "Whole
// Catalogue", and below it the categories. It is the catalogue's observer, so
// the view follows every change, whoever makes it. Categories are dragged
// inside the tree and products dropped onto it from the product grid; the
// drop rules and their effects are the core commands'.
class CatalogueTreeModel : public QAbstractItemModel, public qs::CatalogueObserver {
    Q_OBJECT
public:
    static const QString categoryMimeType;
    static const QString productMimeType;

    // Without commands the tree can be shown and dragged from but takes no drops.
    explicit CatalogueTreeModel(qs::Catalogue& catalogue, qs::CatalogueCommands* commands = nullptr,
                                QObject* parent = nullptr);
    ~CatalogueTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;

    // The node behind an index (null for an invalid one) and back.
    qs::TNewCategory* node(const QModelIndex& index) const;
    QModelIndex indexOf(const qs::TNewCategory& node) const;
    QModelIndex rootIndex() const;

    // What the product grid puts on a drag of the product, which must be the
    // current product when it is dropped.
    static QMimeData* productMimeData(const qs::TNewProduct& product);

signals:
    // A category was dropped into a new place (the index is where it is now).
    void categoryDropped(const QModelIndex& index);

private:
    // CatalogueObserver
    void categoryAboutToBeAdded(qs::TNewCategory& parent, std::size_t row) override;
    void categoryAdded(qs::TNewCategory& category) override;
    void categoryAboutToBeRemoved(qs::TNewCategory& category) override;
    void categoryRemoved(qs::TNewCategory& parent, std::size_t row) override;
    void categoryAboutToBeMoved(qs::TNewCategory& category, qs::TNewCategory& newParent,
                                std::size_t destination) override;
    void categoryMoved(qs::TNewCategory& category) override;
    void categoryRenamed(qs::TNewCategory& category) override;
    void treeAboutToBeReordered() override;
    void treeReordered() override;
    void catalogueAboutToBeReset() override;
    void catalogueReset() override;

    qs::TNewCategory* draggedCategory(const QMimeData* data) const;
    qs::TNewProduct* draggedProduct(const QMimeData* data) const;

    qs::Catalogue& catalogue_;
    qs::CatalogueCommands* commands_;
    QIcon rootIcon_;
    QIcon categoryIcon_;
    bool moving_ = false;
    QModelIndexList reordered_;
    // The category on the drag this model started, known by a number the drag
    // carries, so that no pointer from outside is ever followed.
    mutable qs::TNewCategory* dragged_ = nullptr;
    mutable quint64 dragNumber_ = 0;
};

} // namespace qs::gui
