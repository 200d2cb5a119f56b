#pragma once

#include "gui/catalogue/grids/EditingGridModel.h"
#include "core/catalogue/grids/CategoryGrid.h"

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

// The category details grid's cells for a QTableView: the details of the
// category shown, straight from the catalogue, following every change.
class CategoryGridModel : public EditingGridModel {
    Q_OBJECT
public:
    CategoryGridModel(qs::AppState& state, qs::UserInterface& ui, QObject* parent = nullptr);

    const qs::CategoryGrid& grid() const { return grid_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    const void* recordAt(int row) const override;
    bool clearCell(const QModelIndex& index) override;
    // Stores a value chosen in a dialog for a row.
    bool storeRow(int row, const std::string& value);

private:
    // FillCategoryGrid: the rows from the field definitions as they are now.
    void categoryShown() override { grid_.fill(); }
    void categoryDetailChanged(qs::TNewCategory& category, std::string_view name) override;

    qs::AppState& state_;
    qs::UserInterface& ui_;
    qs::CategoryGrid grid_;
};

} // namespace qs::gui
