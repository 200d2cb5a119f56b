#pragma once

#include <QModelIndex>
#include <QObject>

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
class TInspectorForm;
class TMemoTextForm;
class TVaryForm;

// The category details grid and the product grid of the main window: their
// models, the dialogs a double-click opens (the multi-line editor, the
// inspector, the product options, the file dialogs), and the custom-fields
// command. The
// window only places the two views and tells which category is selected.
class CatalogueGrids : public QObject {
    Q_OBJECT
public:
    // The dialogs the cells open are children of dialogParent.
    CatalogueGrids(qs::AppState& state, qs::EditorState& editor, qs::UserInterface& ui,
                   GridView& categoryView, GridView& productView, QWidget* dialogParent);

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
    TMemoTextForm& memoTextForm() const { return *memoText_; }
    TVaryForm& varyForm() const { return *vary_; }
    TInspectorForm& inspectorForm() const { return *inspector_; }

private:
    // The current product's name is marked, and is the one Delete acts on.
    void followCurrentProduct(const QModelIndex& current);
    void categoryDialog(int row);
    void productDialog(const QModelIndex& index);
    // Brings a picture into the shop's image folder, the dialog starting
    // where the last picture came from, else in the user's Pictures folder,
    // else at home.
    std::string pickPicture(const std::string& current);

    qs::AppState& state_;
    qs::EditorState& editor_;
    qs::UserInterface& ui_;
    GridView& categoryView_;
    GridView& productView_;
    CategoryGridModel* categoryModel_;
    ProductGridModel* productModel_;
    TMemoTextForm* memoText_;
    TVaryForm* vary_;
    TInspectorForm* inspector_;
    std::string pictureFolder_;
};

} // namespace qs::gui
