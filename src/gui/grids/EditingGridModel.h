#pragma once

#include <QAbstractTableModel>

namespace qs {
class UserInterface;
}

namespace qs::gui {

// What the grid view needs of the models of both grids beyond Qt's own:
// which record a row shows, so that a value passed through is stored only
// into the record that was there when the cell was entered, and how a cell
// that is not typed into is emptied.
class EditingGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The record a row shows, or null.
    virtual const void* recordAt(int row) const = 0;
    // Delete on a cell chosen through a dialog: its value is removed.
    virtual bool clearCell(const QModelIndex& index) = 0;
    bool editable(const QModelIndex& index) const { return flags(index) & Qt::ItemIsEditable; }
};

} // namespace qs::gui
