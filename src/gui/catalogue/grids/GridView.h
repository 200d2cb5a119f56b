#pragma once

#include <QTableView>

namespace qs::gui {

class EditingGridModel;

// A grid over a catalogue model: typing edits a cell in place, Enter and
// leaving the cell store it, moving on from an editable cell stores what it
// shows (so an inherited value becomes the record's own, as the merchant saw
// it), Delete empties a cell chosen through a dialog, a double-click asks
// for the cell's dialog, and a record is dragged by its label cell (which is
// never selected, so Qt's own drag, which takes the selection, cannot start).
class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

    void setGridModel(EditingGridModel* model);
    EditingGridModel* gridModel() const { return model_; }
    // Forgets the cell entered last: nothing is passed through into whatever
    // the row shows now (after a deletion, a jump to another product).
    void forgetEnteredCell() { entered_ = nullptr; }
    // Stores what is being typed into the current cell, if anything: before
    // a save, a close, another shop.
    void commitTyping();
    // Widens every column whose heading it would cut; the merchant's wider
    // columns stay.
    void fitColumnsToHeadings();

signals:
    void dialogRequested(const QModelIndex& index);

protected:
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    EditingGridModel* model_ = nullptr;
    const void* entered_ = nullptr;
    QPersistentModelIndex dragFrom_;
    QPoint dragStart_;
};

} // namespace qs::gui
