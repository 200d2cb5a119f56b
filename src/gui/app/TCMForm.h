#pragma once

#include "core/catalogue/CatalogueCommands.h"
#include "core/catalogue/EditorState.h"
#include "gui/app/ToolBarImages.h"

#include <QList>
#include <QMainWindow>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSplitter;
class QStatusBar;
class QToolBar;
class QToolButton;
class QTreeView;

namespace qs {
struct AppState;
class TNewCategory;
class TNewProduct;
class UserInterface;
} // namespace qs

namespace qs::gui {

class CatalogueGrids;
class CatalogueTreeModel;
class GridView;
class HelpViewer;
class QtUserInterface;
class TProdSearchForm;

// The main window: the catalogue tree in the centre, the category
// details on its right, the products below, two tool bars above, and two
// menus, one for each state (no shop open: NoCatMenu; shop open: MainMenu).
// Its commands are the core's CatalogueCommands; it only shows and forwards.
class TCMForm : public QMainWindow {
    Q_OBJECT
public:
    // The menu items. Those whose commands come with other parts exist here
    // with their exact texts and are connected by those parts.
    struct Actions {
        // NoCatMenu
        QAction* openShop = nullptr;
        QAction* newShop = nullptr;
        QAction* deleteShop = nullptr;
        QAction* noShopLocationDetails = nullptr;
        QAction* noShopExit = nullptr;
        QAction* noShopAbout = nullptr;
        QAction* noShopContents = nullptr;
        // MainMenu
        QAction* save = nullptr;
        QAction* closeShop = nullptr;
        QAction* importData = nullptr;
        QAction* exportData = nullptr;
        QAction* upload = nullptr;
        QAction* fetchOrders = nullptr;
        QAction* uploadSettings = nullptr;
        QAction* locationDetails = nullptr;
        QAction* exit = nullptr;
        QAction* undo = nullptr;
        QAction* redo = nullptr;
        QAction* sortCatalogue = nullptr;
        QAction* adminSecurity = nullptr;
        QAction* customFields = nullptr;
        QAction* customerDetails = nullptr;
        QAction* merchantDetails = nullptr;
        QAction* paymentMethod = nullptr;
        QAction* postalCharges = nullptr;
        QAction* termsAndConditions = nullptr;
        QAction* vatInformation = nullptr;
        QAction* alphabeticalList = nullptr;
        QAction* searchCatalogue = nullptr;
        QAction* catalogueNavigation = nullptr;
        QAction* onlineSearchFields = nullptr;
        QAction* addCategory = nullptr;
        QAction* addSubCategory = nullptr;
        QAction* newProduct = nullptr;
        QAction* viewPreview = nullptr;
        QAction* previewAdmin = nullptr;
        QAction* previewSettings = nullptr;
        QAction* about = nullptr;
        QAction* contents = nullptr;
        // CategoryMenu, the tree's context menu
        QAction* treeDelete = nullptr;
        QAction* treeAddCategory = nullptr;
        QAction* treeAddProduct = nullptr;
    };

    // With no user interface given, the window talks through Qt dialogs;
    // tests give a scripted one.
    explicit TCMForm(qs::AppState& app, qs::UserInterface* ui = nullptr, QWidget* parent = nullptr);
    ~TCMForm() override;

    // The two states: no shop open, and a shop open. Opening shows the tree (root selected),
    // panels and tool bars under MainMenu; closing hides them under NoCatMenu.
    void setShopOpen(bool open);
    bool isShopOpen() const { return editor_.ShopOpen; }

    qs::AppState& appState() const { return app_; }
    qs::EditorState& editorState() { return editor_; }
    qs::CatalogueCommands& commands() { return commands_; }
    qs::UserInterface& userInterface() const { return *ui_; }
    const Actions& actions() const { return actions_; }
    const QList<QMenu*>& noCatMenu() const { return noCatMenu_; }
    const QList<QMenu*>& mainMenu() const { return mainMenu_; }
    QMenu* categoryMenu() const { return CategoryMenu; }
    CatalogueTreeModel* treeModel() const { return model_; }
    CatalogueGrids& grids() const { return *grids_; }
    TProdSearchForm& searchForm() const { return *search_; }
    const ToolBarImages& toolBarImages() const { return images_; }
    // The one help window, for the menus and for the dialogs' Help buttons.
    HelpViewer& helpViewer() const { return *help_; }

    // The node selected in the tree (the root or a category), or null.
    qs::TNewCategory* selectedNode() const;
    void selectNode(const qs::TNewCategory& node);

    // The commands, as the menus, buttons and keys run them.
    void addCategory();
    void addSubCategory();
    void newProduct();
    // Delete acts where the focus is: the tree, or the product grid.
    void deleteCommand();
    void sortCatalogue();
    void helpAbout();
    void searchCatalogue();
    // Go to Product: the product's category in the tree, its row in the grid.
    void goToProduct(const qs::TNewProduct* product);

    // Stores what is being typed into either grid.
    void commitTyping();
    // Runs a command; a failure it does not handle itself is reported with its
    // message, and the program goes on.
    void runCommand(const std::function<void()>& command);
    // "Harbour-Crafts* — Quaystall DB": the open shop, marked while it has
    // unsaved changes; the program's name alone without a shop.
    void showTitle();

    // Controls, named as the system names them.
    QToolBar* ToolBar1 = nullptr;
    QToolBar* ToolBar2 = nullptr;
    QToolButton* SaveBtn = nullptr;
    QToolButton* NewCatBtn = nullptr;
    QToolButton* NewSubCatBtn = nullptr;
    QToolButton* NewProdBtn = nullptr;
    QToolButton* ImportBtn = nullptr;
    QToolButton* ExportBtn = nullptr;
    QToolButton* UploadBtn = nullptr;
    QToolButton* DelBtn = nullptr;
    QToolButton* PreviewBtn = nullptr;
    QToolButton* PostPackBtn = nullptr;
    QLabel* SearchLabel = nullptr;
    QLineEdit* ProdNameEdit = nullptr;
    QPushButton* SearchBtn = nullptr;
    QTreeView* CatalogueTree = nullptr;
    QMenu* CategoryMenu = nullptr;
    QWidget* CategoryPanel = nullptr;
    QLabel* CategoryHeading = nullptr;
    GridView* CatGrid = nullptr;
    QWidget* ProductPanel = nullptr;
    GridView* ProdGrid1 = nullptr;
    QSplitter* VertSplitter = nullptr;
    QSplitter* HorzSplitter = nullptr;
    QStatusBar* BottomPanel = nullptr;

signals:
    // The first activation of the window, which runs Open Shop.
    void firstActivated();
    // After setShopOpen: a shop was opened (true) or closed.
    void shopOpenChanged(bool open);
    // "Go", or Enter in ProdNameEdit: the product search.
    void searchRequested(const QString& text);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    void buildMenus();
    void buildToolBars();
    void buildCentre();
    void loadToolBarImages();
    QToolButton* addToolButton(const char* name, const QString& caption, const QString& hint, int slot,
                               const std::function<void()>& command);
    bool treeKeyPressed(QKeyEvent* key);
    void showContextMenu(const QPoint& at);
    void selectionChanged(const QModelIndex& current);
    void ensureSelection();
    bool hasFocusWithin(const QWidget* widget) const;
    // The product on the product grid's current row.
    qs::TNewProduct* productOnGridRow() const;
    void deleteFrom(qs::DeleteTarget target);
    void showMenus(const QList<QMenu*>& menus);

    qs::AppState& app_;
    std::unique_ptr<QtUserInterface> ownUi_;
    qs::UserInterface* ui_;
    qs::EditorState editor_;
    qs::CatalogueCommands commands_;
    CatalogueTreeModel* model_ = nullptr;
    CatalogueGrids* grids_ = nullptr;
    TProdSearchForm* search_ = nullptr;
    ToolBarImages images_;
    // A window of its own, not a child: help stays open beside the main window.
    std::unique_ptr<HelpViewer> help_;
    Actions actions_;
    QList<QMenu*> noCatMenu_;
    QList<QMenu*> mainMenu_;
    bool firstActivation_ = true;
};

} // namespace qs::gui
