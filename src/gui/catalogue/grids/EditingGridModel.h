#pragma once

#include "core/catalogue/CatalogueObserver.h"

#include <QAbstractTableModel>

namespace qs {
class Catalogue;
}

namespace qs::gui {

// What the models of both grids share: the category they show, forgotten as
// soon as it leaves the catalogue, and what the grid view needs beyond Qt's
// own: which record a row shows, so that a value passed through is stored only
// into the record that was there when the cell was entered, and how a cell
// that is not typed into is emptied.
class EditingGridModel : public QAbstractTableModel, public qs::CatalogueObserver {
    Q_OBJECT
public:
    EditingGridModel(qs::Catalogue& catalogue, QObject* parent);
    ~EditingGridModel() override;

    // The category shown (none: the grid is empty).
    void setCategory(qs::TNewCategory* category);
    qs::TNewCategory* category() const { return category_; }

    // The record a row shows, or null.
    virtual const void* recordAt(int row) const = 0;
    // Delete on a cell chosen through a dialog: its value is removed.
    virtual bool clearCell(const QModelIndex& index) = 0;
    bool editable(const QModelIndex& index) const { return flags(index) & Qt::ItemIsEditable; }

protected:
    // Before the rows of a newly shown category are counted.
    virtual void categoryShown() {}

    void categoryAboutToBeRemoved(qs::TNewCategory& category) override;
    void catalogueAboutToBeReset() override;
    void catalogueReset() override;

    qs::TNewCategory* category_ = nullptr;

private:
    qs::Catalogue& catalogue_;
};

} // namespace qs::gui
