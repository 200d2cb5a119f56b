#pragma once

#include "EditingGridModel.h"
#include "catalogue/CatalogueObserver.h"
#include "catalogue/grids/CategoryGrid.h"

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

// The category details grid's cells for a QTableView: the details of the
// category shown, straight from the catalogue, following every change.
class CategoryGridModel : public EditingGridModel, public qs::CatalogueObserver {
    Q_OBJECT
public:
    CategoryGridModel(qs::AppState& state, qs::UserInterface& ui, QObject* parent = nullptr);
    ~CategoryGridModel() override;

    // FillCategoryGrid: the rows for the category (none shown when null).
    void setCategory(qs::TNewCategory* category);
    qs::TNewCategory* category() const { return category_; }
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
    void categoryDetailChanged(qs::TNewCategory& category, std::string_view name) override;
    void categoryAboutToBeRemoved(qs::TNewCategory& category) override;
    void catalogueAboutToBeReset() override;
    void catalogueReset() override;

    qs::AppState& state_;
    qs::UserInterface& ui_;
    qs::CategoryGrid grid_;
    qs::TNewCategory* category_ = nullptr;
};

} // namespace qs::gui
