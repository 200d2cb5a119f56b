#pragma once

#include <QObject>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qs {
struct AppState;
struct EditorState;
class TNewCategory;
class TNewProduct;
class UserInterface;
} // namespace qs

namespace qs::gui {

class CategoryGridModel;
class GridView;
class ProductGridModel;

// The category details grid and the product grid of the main window: their
// models, what a double-click opens, and the custom-fields command. The
// window only places the two views and tells which category is selected.
class CatalogueGrids : public QObject {
    Q_OBJECT
public:
    CatalogueGrids(qs::AppState& state, qs::EditorState& editor, qs::UserInterface& ui,
                   GridView& categoryView, GridView& productView, QObject* parent = nullptr);

    // The dialogs that edit a value: each returns the new value, or nothing
    // when the merchant cancelled.
    using TextEditor = std::function<std::optional<std::string>(const std::string& value)>;
    using FieldChanges = std::vector<std::pair<std::string, std::string>>;
    using Inspector = std::function<std::optional<FieldChanges>(const qs::TNewProduct& product)>;
    TextEditor memoEditor;
    TextEditor optionsEditor;
    Inspector inspector;

    // The selection of the tree: both grids show the category (none: hidden).
    void showCategory(qs::TNewCategory* category);
    // The product on the product grid's current row, or null.
    qs::TNewProduct* productOnCurrentRow() const;
    // Makes the product's row current in the product grid (its category shown).
    void selectProduct(const qs::TNewProduct& product);
    // Stores what is being typed into either grid.
    void commitTyping();
    // The number of custom-field columns from the shop's settings.
    void applyCustomMax();
    // "C&ustom Fields".
    void customFields();

    CategoryGridModel& categoryModel() const { return *categoryModel_; }
    ProductGridModel& productModel() const { return *productModel_; }

private:
    void categoryDialog(int row);
    void productDialog(const QModelIndex& index);

    qs::AppState& state_;
    qs::EditorState& editor_;
    qs::UserInterface& ui_;
    GridView& categoryView_;
    GridView& productView_;
    CategoryGridModel* categoryModel_;
    ProductGridModel* productModel_;
};

} // namespace qs::gui
