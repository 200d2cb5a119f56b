#include "gui/catalogue/grids/GridView.h"

#include "gui/catalogue/grids/EditingGridModel.h"

#include <QApplication>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>

namespace qs::gui {

GridView::GridView(QWidget* parent) : QTableView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    verticalHeader()->setDefaultSectionSize(18);
    horizontalHeader()->setHighlightSections(false);
}

void GridView::setGridModel(EditingGridModel* model)
{
    model_ = model;
    setModel(model);
    const auto forget = [this] { forgetEnteredCell(); };
    connect(model, &QAbstractItemModel::modelReset, this, forget);
    connect(model, &QAbstractItemModel::layoutChanged, this, forget);
    connect(model, &QAbstractItemModel::rowsRemoved, this, forget);
    connect(model, &QAbstractItemModel::rowsInserted, this, forget);
    connect(model, &QAbstractItemModel::modelReset, this, &GridView::fitColumnsToHeadings);
    fitColumnsToHeadings();
}

void GridView::fitColumnsToHeadings()
{
    QHeaderView* header = horizontalHeader();
    if (header->isHidden())
        return;
    for (int column = 0; column < header->count(); ++column)
        setColumnWidth(column, std::max(columnWidth(column), header->sectionSizeHint(column)));
}

void GridView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    // Qt moves the current cell off the leaving rows here, inside the change
    // that removes them: nothing may be passed through then.
    forgetEnteredCell();
    QTableView::rowsAboutToBeRemoved(parent, start, end);
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // Qt commits an open editor here first.
    QTableView::currentChanged(current, previous);
    if (model_ && previous.isValid() && entered_ && model_->recordAt(previous.row()) == entered_ &&
        model_->editable(previous))
        model_->setData(previous, model_->data(previous, Qt::EditRole), Qt::EditRole);
    entered_ = model_ && current.isValid() ? model_->recordAt(current.row()) : nullptr;
}

void GridView::commitTyping()
{
    if (state() != EditingState)
        return;
    // The open editor is the viewport's visible child.
    for (QWidget* editor : viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (editor->isVisible()) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
            return;
        }
    }
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex current = currentIndex();
    if (model_ && event->key() == Qt::Key_Delete && current.isValid() && state() != EditingState &&
        !model_->editable(current)) {
        model_->clearCell(current);
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid() && at == currentIndex()) {
        emit dialogRequested(at);
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    const Qt::ItemFlags flags = at.isValid() ? model()->flags(at) : Qt::NoItemFlags;
    const bool labelCell = (flags & Qt::ItemIsDragEnabled) && !(flags & Qt::ItemIsSelectable);
    dragFrom_ =
        event->button() == Qt::LeftButton && labelCell ? QPersistentModelIndex(at) : QPersistentModelIndex();
    dragStart_ = event->position().toPoint();
    QTableView::mousePressEvent(event);
}

void GridView::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragFrom_.isValid() || !(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - dragStart_).manhattanLength() < QApplication::startDragDistance()) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    const QModelIndex from = dragFrom_;
    dragFrom_ = QPersistentModelIndex();
    if (QMimeData* data = model()->mimeData({from})) {
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(model()->supportedDragActions());
    }
}

} // namespace qs::gui
