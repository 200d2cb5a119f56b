#pragma once

#include "core/import/ImportSheet.h"

#include <QAbstractTableModel>

namespace qs {
class FieldDefinitions;
class UserInterface;
} // namespace qs

namespace qs::gui {

// The importer's grid over the core's sheet: data rows and columns as the
// table has them, each row's type in the vertical heading and each column's
// field in the horizontal one. Cells are split out of the table's bytes only
// as the view asks for them, so a table of a million rows opens at once. A
// change to a row type or a column's field tells only the headings it touched.
class ImportTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ImportTableModel(qs::ImportSheet& sheet, const qs::FieldDefinitions& fields, qs::UserInterface& ui,
                     QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // A new sheet, read from another table.
    void sheetReplaced();
    // The cells and row types were changed behind the model (a merge's
    // empty-cell pass): the view asks again for what it shows.
    void sheetChanged();

    void setRowTypes(int first, int last, qs::RowType type);
    void assign(int column, std::size_t field, qs::AssignMode mode);
    void unassign(int column);
    void useFirstRowAsHeadings();

    // The cell's text, as the status line shows it.
    QString cellText(int row, int column) const;

private:
    void headingsTouched(const qs::ColumnAssignments::Touched& touched);

    qs::ImportSheet& sheet_;
    const qs::FieldDefinitions& fields_;
    qs::UserInterface& ui_;
    // The view asks cell by cell along a row: it is split once, and again
    // after the sheet changed (the empty-cell pass fills cells while the
    // view repaints behind its question).
    mutable qs::RowCells cells_;
    mutable int cachedRow_ = -1;
    mutable std::uint64_t cachedChanges_ = 0;
};

} // namespace qs::gui
