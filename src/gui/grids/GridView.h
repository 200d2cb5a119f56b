#pragma once

#include <QTableView>

namespace qs::gui {

class EditingGridModel;

// A grid over a catalogue model: typing edits a cell in place, Enter and
// leaving the cell store it, moving on from an editable cell stores what it
// shows (so an inherited value becomes the record's own, as the merchant saw
// it), Delete empties a cell chosen through a dialog, and a double-click asks
// for the cell's dialog.
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

signals:
    void dialogRequested(const QModelIndex& index);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    EditingGridModel* model_ = nullptr;
    const void* entered_ = nullptr;
};

} // namespace qs::gui
