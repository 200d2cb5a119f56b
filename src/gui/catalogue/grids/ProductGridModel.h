#pragma once

#include "gui/catalogue/grids/EditingGridModel.h"
#include "core/catalogue/grids/ProductGrid.h"

namespace qs {
struct AppState;
struct EditorState;
class UserInterface;
} // namespace qs

namespace qs::gui {

// The product grid's cells for a QTableView, served straight from the shown
// category's products: one row per product and an empty row after the last,
// one column per field. Changes arrive row by row and cell by cell, so a
// category of any size is never reset for one edit. The field names are the
// horizontal header.
class ProductGridModel : public EditingGridModel {
    Q_OBJECT
public:
    ProductGridModel(qs::AppState& state, qs::EditorState& editor, qs::UserInterface& ui,
                     QObject* parent = nullptr);

    const qs::ProductGrid& grid() const { return grid_; }
    // ApplyCustomMax: the columns from the shop's settings.
    void applyCustomMax();

    // The row of the current product, whose name is drawn white on grey.
    void setCurrentRow(int row);

    // Rows of the model are the grid's product rows: model row r is row r + 1.
    qs::TNewProduct* productAt(int row) const;
    QModelIndex indexOf(const qs::TNewProduct& product, int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;

    const void* recordAt(int row) const override;
    bool clearCell(const QModelIndex& index) override;
    // Stores a value for a cell (typed, or chosen in a dialog).
    bool store(const QModelIndex& index, const std::string& value);
    // The value a dialog starts from: the product's own, else the inherited one.
    std::string dialogValue(const QModelIndex& index) const;

private:
    void productAboutToBeAdded(qs::TNewCategory& category, std::size_t row) override;
    void productAdded(qs::TNewProduct& product) override;
    void productAboutToBeRemoved(qs::TNewCategory& category, std::size_t row) override;
    void productRemoved(qs::TNewCategory& category, std::size_t row) override;
    void productFieldChanged(qs::TNewProduct& product, qs::FieldId field) override;
    void categoryDetailChanged(qs::TNewCategory& category, std::string_view name) override;
    // The Category column shows the path, which a rename above changes.
    void categoryRenamed(qs::TNewCategory& category) override;

    qs::AppState& state_;
    qs::EditorState& editor_;
    qs::UserInterface& ui_;
    qs::ProductGrid grid_;
    int currentRow_ = -1;
    bool adding_ = false;
    bool removing_ = false;
};

} // namespace qs::gui
