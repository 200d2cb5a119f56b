#include "gui/app/TCMForm.h"

#include "core/app/About.h"
#include "core/app/AppState.h"
#include "core/catalogue/Catalogue.h"
#include "core/ui/UserInterface.h"
#include "gui/app/HelpViewer.h"
#include "gui/app/ToolBarButton.h"
#include "gui/catalogue/CatalogueTreeModel.h"
#include "gui/catalogue/TProdSearchForm.h"
#include "gui/catalogue/grids/CatalogueGrids.h"
#include "gui/catalogue/grids/GridView.h"
#include "gui/catalogue/history/UndoActions.h"
#include "gui/text/Encoding.h"
#include "gui/ui/QtUserInterface.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include <exception>

namespace qs::gui {
namespace {

QAction* addItem(QMenu* menu, const QString& text, const char* objectName)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(objectName));
    return action;
}

QMenu* newMenu(QWidget* owner, const QString& title, const char* objectName)
{
    auto* menu = new QMenu(title, owner);
    menu->setObjectName(QString::fromLatin1(objectName));
    return menu;
}

GridView* newGrid(const char* objectName, QWidget* parent)
{
    auto* grid = new GridView(parent);
    grid->setObjectName(QString::fromLatin1(objectName));
    grid->setFocusPolicy(Qt::StrongFocus);
    grid->setFrameShape(QFrame::NoFrame);
    grid->setAlternatingRowColors(false);
    return grid;
}

} // namespace

TCMForm::TCMForm(qs::AppState& app, qs::UserInterface* ui, QWidget* parent)
    : QMainWindow(parent), app_(app), ownUi_(ui ? nullptr : std::make_unique<QtUserInterface>(this)),
      ui_(ui ? ui : ownUi_.get()), commands_(app, editor_, *ui_), help_(std::make_unique<HelpViewer>(app))
{
    setObjectName("CMForm");
    setWindowTitle("Quaystall DB");
    resize(1024, 720);

    model_ = new CatalogueTreeModel(app_.catalogue, &commands_, this);

    buildMenus();
    buildToolBars();
    buildCentre();
    grids_ = new CatalogueGrids(app_, editor_, *ui_, *CatGrid, *ProdGrid1, this);
    connect(actions_.customFields, &QAction::triggered, grids_, &CatalogueGrids::customFields);
    new UndoActions(*this, app_, *actions_.undo, *actions_.redo);
    search_ = new TProdSearchForm(app_.catalogue, *ui_, this);
    connect(this, &TCMForm::searchRequested, search_, &TProdSearchForm::search);
    connect(actions_.alphabeticalList, &QAction::triggered, search_, [this] { search_->search(QString()); });
    connect(search_, &TProdSearchForm::goToProduct, this, &TCMForm::goToProduct);
    loadToolBarImages();

    firstActivation_ = true;
    editor_.CategoryEdited = false;

    setShopOpen(false);
}

TCMForm::~TCMForm()
{
    // The tree's model stops observing the catalogue before the view goes.
    CatalogueTree->setModel(nullptr);
    delete model_;
    model_ = nullptr;
}

// ------------------------------------------------------------------ building

void TCMForm::buildMenus()
{
    Actions& a = actions_;

    QMenu* noShopFile = newMenu(this, "&File", "NoCatFileMenu");
    a.openShop = addItem(noShopFile, "&Open Shop...", "OpenShopItem");
    a.newShop = addItem(noShopFile, "&New Shop", "NewShopItem");
    a.deleteShop = addItem(noShopFile, "&Delete a Shop", "DeleteShopItem");
    a.noShopLocationDetails = addItem(noShopFile, "&Location Details", "NoCatLocationItem");
    noShopFile->addSeparator();
    a.noShopExit = addItem(noShopFile, "E&xit", "NoCatExitItem");
    QMenu* noShopHelp = newMenu(this, "&Help", "NoCatHelpMenu");
    a.noShopAbout = addItem(noShopHelp, "&About", "NoCatAboutItem");
    a.noShopContents = addItem(noShopHelp, "&Contents", "NoCatContentsItem");
    noCatMenu_ = {noShopFile, noShopHelp};

    QMenu* file = newMenu(this, "&File", "FileMenu");
    a.save = addItem(file, "&Save", "SaveItem");
    a.save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    a.closeShop = addItem(file, "&Close", "CloseItem");
    file->addSeparator();
    a.importData = addItem(file, "&Import Data from Database", "ImportItem");
    a.exportData = addItem(file, "&Export Data for Upload", "ExportItem");
    a.upload = addItem(file, "Upload to &Web Host", "UploadItem");
    a.fetchOrders = addItem(file, "Fetch &Orders", "FetchOrdersItem");
    a.uploadSettings = addItem(file, "&Upload Settings...", "UploadSettingsItem");
    file->addSeparator();
    a.locationDetails = addItem(file, "&Location Details", "LocationItem");
    file->addSeparator();
    a.exit = addItem(file, "E&xit", "ExitItem");

    QMenu* edit = newMenu(this, "&Edit", "EditMenu");
    a.undo = addItem(edit, "&Undo", "UndoItem");
    a.undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    a.redo = addItem(edit, "&Redo", "RedoItem");
    a.redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

    QMenu* sort = newMenu(this, "&Sort", "SortMenu");
    a.sortCatalogue = addItem(sort, "Sort &Catalogue Alphabetically", "SortItem");

    QMenu* options = newMenu(this, "&Options", "OptionsMenu");
    a.adminSecurity = addItem(options, "&Admin Security", "AdminSecurityItem");
    a.customFields = addItem(options, "C&ustom Fields", "CustomFieldsItem");
    a.customerDetails = addItem(options, "&Customer Details", "CustomerDetailsItem");
    a.merchantDetails = addItem(options, "&Merchant Details", "MerchantDetailsItem");
    a.paymentMethod = addItem(options, "&Payment Method", "PaymentMethodItem");
    a.postalCharges = addItem(options, "P&ostal Charges", "PostalChargesItem");
    a.termsAndConditions = addItem(options, "&Terms and Conditions", "TermsItem");
    a.vatInformation = addItem(options, "&VAT Information", "VATItem");

    QMenu* products = newMenu(this, "&Products", "ProductsMenu");
    a.alphabeticalList = addItem(products, "&Alphabetical List of Products", "AlphaListItem");
    a.searchCatalogue = addItem(products, "&Search Catalogue", "SearchItem");

    QMenu* site = newMenu(this, "Site &Appearance", "SiteAppearanceMenu");
    a.catalogueNavigation = addItem(site, "&Catalogue Navigation", "NavigationItem");
    a.onlineSearchFields = addItem(site, "&Online Search Fields", "SearchFieldsItem");

    QMenu* catalogue = newMenu(this, "&Catalogue", "CatalogueMenu");
    a.addCategory = addItem(catalogue, "Add &Category", "AddCategoryItem");
    a.addSubCategory = addItem(catalogue, "Add &Sub-Category", "AddSubCategoryItem");
    a.newProduct = addItem(catalogue, "New &Product", "NewProductItem");

    QMenu* preview = newMenu(this, "Pre&view", "PreviewMenu");
    a.viewPreview = addItem(preview, "&View Preview", "ViewPreviewItem");
    a.previewAdmin = addItem(preview, "&Administrators' Pages", "PreviewAdminItem");
    a.previewSettings = addItem(preview, "Preview &Settings", "PreviewSettingsItem");

    QMenu* help = newMenu(this, "&Help", "HelpMenu");
    a.about = addItem(help, "&About", "AboutItem");
    a.contents = addItem(help, "&Contents", "ContentsItem");
    // F1 opens the help, with a shop open or not; only the menus shown answer it.
    for (QAction* contents : {a.contents, a.noShopContents})
        contents->setShortcut(QKeySequence::HelpContents);

    mainMenu_ = {file, edit, sort, options, products, site, catalogue, preview, help};

    CategoryMenu = newMenu(this, QString(), "CategoryMenu");
    a.treeDelete = addItem(CategoryMenu, "&Delete", "CMDeleteItem");
    a.treeAddCategory = addItem(CategoryMenu, "Add &Category", "CMAddCategoryItem");
    a.treeAddProduct = addItem(CategoryMenu, "Add &Product", "CMAddProductItem");

    // Whatever a command does to the selection or the grids, what is being
    // typed into a grid is stored first: connected before any command.
    for (const QList<QMenu*>& menus : {mainMenu_, QList<QMenu*>{CategoryMenu}})
        for (const QMenu* menu : menus)
            for (QAction* action : menu->actions())
                connect(action, &QAction::triggered, this, &TCMForm::commitTyping);

    // The commands of this part. The others are connected by their own parts.
    connect(a.noShopExit, &QAction::triggered, this, &QWidget::close);
    connect(a.exit, &QAction::triggered, this, &QWidget::close);
    connect(a.noShopAbout, &QAction::triggered, this, &TCMForm::helpAbout);
    connect(a.about, &QAction::triggered, this, &TCMForm::helpAbout);
    connect(a.noShopContents, &QAction::triggered, help_.get(), &HelpViewer::showContents);
    connect(a.contents, &QAction::triggered, help_.get(), &HelpViewer::showContents);
    connect(a.sortCatalogue, &QAction::triggered, this, &TCMForm::sortCatalogue);
    connect(a.searchCatalogue, &QAction::triggered, this, &TCMForm::searchCatalogue);
    connect(a.addCategory, &QAction::triggered, this, &TCMForm::addCategory);
    connect(a.addSubCategory, &QAction::triggered, this, &TCMForm::addSubCategory);
    connect(a.newProduct, &QAction::triggered, this, &TCMForm::newProduct);
    connect(a.treeDelete, &QAction::triggered, this, [this] { deleteFrom(qs::DeleteTarget::Tree); });
    connect(a.treeAddCategory, &QAction::triggered, this, &TCMForm::addSubCategory);
    connect(a.treeAddProduct, &QAction::triggered, this, &TCMForm::newProduct);
}

QToolButton* TCMForm::addToolButton(const char* name, const QString& caption, const QString& hint, int slot,
                                    const std::function<void()>& command)
{
    auto* button = new ToolBarButton(QString::fromLatin1(name), caption, hint, ToolBar1);
    button->setProperty("imageSlot", slot);
    ToolBar1->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, command] {
        commitTyping();
        command();
    });
    return button;
}

void TCMForm::buildToolBars()
{
    ToolBar1 = new QToolBar("ToolBar1", this);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(ToolBarButton::pictureSize, ToolBarButton::pictureSize));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    const Actions& a = actions_;
    // Each button shows the images of its slot: 2 to 9, 14 and 13.
    SaveBtn = addToolButton("SaveBtn", "Save", "Save Catalogue", 2, [a] { a.save->trigger(); });
    NewCatBtn = addToolButton("NewCatBtn", "New Category", "New Category", 3, [this] { addCategory(); });
    NewSubCatBtn = addToolButton("NewSubCatBtn", "New Sub-Category", "New Sub-Category", 4,
                                 [this] { addSubCategory(); });
    NewProdBtn = addToolButton("NewProdBtn", "New Product", "New Product", 5, [this] { newProduct(); });
    ToolBar1->addSeparator();
    ImportBtn = addToolButton("ImportBtn", "Import", "Import Data from Database", 6,
                              [a] { a.importData->trigger(); });
    ExportBtn = addToolButton("ExportBtn", "Export", "Export Data to Upload Directory", 7,
                              [a] { a.exportData->trigger(); });
    UploadBtn = addToolButton("UploadBtn", "Upload", "Upload your shop to your web host", 8,
                              [a] { a.upload->trigger(); });
    ToolBar1->addSeparator();
    DelBtn = addToolButton("DelBtn", "Delete", "Delete", 9, [this] { deleteCommand(); });
    ToolBar1->addSeparator();
    PreviewBtn =
        addToolButton("PreviewBtn", "Preview", "Preview your site", 14, [a] { a.viewPreview->trigger(); });
    PostPackBtn =
        addToolButton("PostPackBtn", "Postage", "Postage & Packing", 13, [a] { a.postalCharges->trigger(); });

    addToolBarBreak(Qt::TopToolBarArea);
    ToolBar2 = new QToolBar("ToolBar2", this);
    ToolBar2->setObjectName("ToolBar2");
    ToolBar2->setMovable(false);
    ToolBar2->setFloatable(false);
    SearchLabel = new QLabel("Search for: ", ToolBar2);
    SearchLabel->setObjectName("SearchLabel");
    SearchLabel->setContentsMargins(6, 0, 2, 0);
    ProdNameEdit = new QLineEdit(ToolBar2);
    ProdNameEdit->setObjectName("ProdNameEdit");
    ProdNameEdit->setFixedWidth(260);
    ProdNameEdit->setClearButtonEnabled(true);
    ProdNameEdit->installEventFilter(this);
    SearchLabel->setBuddy(ProdNameEdit);
    SearchBtn = new QPushButton("Go", ToolBar2);
    SearchBtn->setObjectName("SearchBtn");
    SearchBtn->setAutoDefault(false);
    ToolBar2->addWidget(SearchLabel);
    ToolBar2->addWidget(ProdNameEdit);
    auto* gap = new QWidget(ToolBar2);
    gap->setFixedWidth(4);
    ToolBar2->addWidget(gap);
    ToolBar2->addWidget(SearchBtn);
    addToolBar(Qt::TopToolBarArea, ToolBar2);

    connect(SearchBtn, &QPushButton::clicked, this, [this] { emit searchRequested(ProdNameEdit->text()); });
    connect(ProdNameEdit, &QLineEdit::returnPressed, this,
            [this] { emit searchRequested(ProdNameEdit->text()); });
}

void TCMForm::buildCentre()
{
    CatalogueTree = new QTreeView(this);
    CatalogueTree->setObjectName("CatalogueTree");
    CatalogueTree->setModel(model_);
    CatalogueTree->setHeaderHidden(true);
    CatalogueTree->setUniformRowHeights(true);
    CatalogueTree->setSelectionMode(QAbstractItemView::SingleSelection);
    CatalogueTree->setSelectionBehavior(QAbstractItemView::SelectRows);
    CatalogueTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CatalogueTree->setDragEnabled(true);
    CatalogueTree->setAcceptDrops(true);
    CatalogueTree->setDropIndicatorShown(true);
    CatalogueTree->setDragDropMode(QAbstractItemView::DragDrop);
    CatalogueTree->setDefaultDropAction(Qt::MoveAction);
    // A drop lands on the node under the mouse, never between two nodes.
    CatalogueTree->setDragDropOverwriteMode(true);
    CatalogueTree->setAutoExpandDelay(700);
    CatalogueTree->setContextMenuPolicy(Qt::CustomContextMenu);
    CatalogueTree->installEventFilter(this);
    // The selection stays visible when the tree loses the focus.
    QPalette keepSelection = CatalogueTree->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        keepSelection.setColor(QPalette::Inactive, role, keepSelection.color(QPalette::Active, role));
    CatalogueTree->setPalette(keepSelection);

    connect(CatalogueTree, &QWidget::customContextMenuRequested, this, &TCMForm::showContextMenu);
    connect(CatalogueTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { selectionChanged(current); });
    connect(model_, &QAbstractItemModel::rowsRemoved, this, [this] { ensureSelection(); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { ensureSelection(); });
    connect(model_, &CatalogueTreeModel::categoryDropped, this, [this](const QModelIndex& at) {
        CatalogueTree->expand(at.parent());
        CatalogueTree->scrollTo(at);
    });

    CategoryPanel = new QFrame(this);
    static_cast<QFrame*>(CategoryPanel)->setFrameShape(QFrame::StyledPanel);
    CategoryPanel->setObjectName("CategoryPanel");
    auto* categoryLayout = new QVBoxLayout(CategoryPanel);
    categoryLayout->setContentsMargins(1, 1, 1, 1);
    categoryLayout->setSpacing(0);
    CategoryHeading = new QLabel("Category Details", CategoryPanel);
    CategoryHeading->setObjectName("CategoryHeading");
    CategoryHeading->setAlignment(Qt::AlignCenter);
    CategoryHeading->setFrameShape(QFrame::NoFrame);
    CategoryHeading->setAutoFillBackground(true);
    CategoryHeading->setBackgroundRole(QPalette::Button);
    CategoryHeading->setMargin(4);
    QFont headingFont = CategoryHeading->font();
    headingFont.setBold(true);
    CategoryHeading->setFont(headingFont);
    CategoryHeading->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    CatGrid = newGrid("CatGrid", CategoryPanel);
    categoryLayout->addWidget(CategoryHeading);
    categoryLayout->addWidget(CatGrid, 1);
    categoryLayout->addStretch(0);

    ProductPanel = new QFrame(this);
    static_cast<QFrame*>(ProductPanel)->setFrameShape(QFrame::StyledPanel);
    ProductPanel->setObjectName("ProductPanel");
    auto* productLayout = new QVBoxLayout(ProductPanel);
    productLayout->setContentsMargins(1, 1, 1, 1);
    ProdGrid1 = newGrid("ProdGrid1", ProductPanel);
    productLayout->addWidget(ProdGrid1);

    HorzSplitter = new QSplitter(Qt::Horizontal, this);
    HorzSplitter->setObjectName("HorzSplitter");
    HorzSplitter->setChildrenCollapsible(false);
    HorzSplitter->addWidget(CatalogueTree);
    HorzSplitter->addWidget(CategoryPanel);
    HorzSplitter->setStretchFactor(0, 3);
    HorzSplitter->setStretchFactor(1, 2);
    HorzSplitter->setSizes({560, 440});

    VertSplitter = new QSplitter(Qt::Vertical, this);
    VertSplitter->setObjectName("VertSplitter");
    VertSplitter->setChildrenCollapsible(false);
    VertSplitter->addWidget(HorzSplitter);
    VertSplitter->addWidget(ProductPanel);
    VertSplitter->setStretchFactor(0, 3);
    VertSplitter->setStretchFactor(1, 2);
    VertSplitter->setSizes({360, 260});

    auto* centre = new QWidget(this);
    centre->setObjectName("ClientArea");
    auto* centreLayout = new QVBoxLayout(centre);
    centreLayout->setContentsMargins(4, 4, 4, 0);
    centreLayout->addWidget(VertSplitter);
    setCentralWidget(centre);

    BottomPanel = new QStatusBar(this);
    BottomPanel->setObjectName("BottomPanel");
    BottomPanel->setSizeGripEnabled(true);
    setStatusBar(BottomPanel);
}

void TCMForm::loadToolBarImages()
{
    const QString programDir = QFile::decodeName(QByteArray::fromStdString(app_.ProgramDir));
    images_.load(QDir(programDir).filePath(QStringLiteral("Buttons")));
    for (QToolButton* button : {SaveBtn, NewCatBtn, NewSubCatBtn, NewProdBtn, ImportBtn, ExportBtn, UploadBtn,
                                DelBtn, PreviewBtn, PostPackBtn})
        button->setIcon(images_.icon(button->property("imageSlot").toInt()));
}

QMenu* TCMForm::createPopupMenu()
{
    // The tool bars are not the merchant's to hide.
    return nullptr;
}

// ------------------------------------------------------------------ state

void TCMForm::showMenus(const QList<QMenu*>& menus)
{
    menuBar()->clear();
    for (QMenu* menu : menus)
        menuBar()->addMenu(menu);
}

void TCMForm::setShopOpen(bool open)
{
    editor_.ShopOpen = open;
    showMenus(open ? mainMenu_ : noCatMenu_);
    ToolBar1->setVisible(open);
    ToolBar2->setVisible(open);
    centralWidget()->setVisible(open);
    BottomPanel->setVisible(open);
    if (open) {
        grids_->applyCustomMax();
        CatalogueTree->expand(model_->rootIndex());
        selectNode(app_.catalogue.root());
        CatalogueTree->setFocus();
    }
    showTitle();
    emit shopOpenChanged(open);
}

// ------------------------------------------------------------------ selection

qs::TNewCategory* TCMForm::selectedNode() const
{
    const QModelIndexList selected = CatalogueTree->selectionModel()->selectedRows();
    return selected.isEmpty() ? nullptr : model_->node(selected.first());
}

void TCMForm::selectNode(const qs::TNewCategory& node)
{
    const QModelIndex at = model_->indexOf(node);
    if (at.parent().isValid())
        CatalogueTree->expand(at.parent());
    CatalogueTree->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
    CatalogueTree->scrollTo(at);
}

void TCMForm::ensureSelection()
{
    if (!CatalogueTree->selectionModel()->selectedRows().isEmpty())
        return;
    const QModelIndex current = CatalogueTree->currentIndex();
    const qs::TNewCategory* node = current.isValid() ? model_->node(current) : &app_.catalogue.root();
    selectNode(*node);
}

void TCMForm::selectionChanged(const QModelIndex& current)
{
    // The category details grid and the product grid
    // commit their pending edits here before the next category is shown.
    if (!grids_)
        return;
    qs::TNewCategory* node = model_->node(current);
    grids_->showCategory(commands_.selectNode(node) ? node : nullptr);
}

// ------------------------------------------------------------------ commands

void TCMForm::commitTyping()
{
    if (grids_)
        grids_->commitTyping();
}

void TCMForm::runCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& failure) {
        ui_->message(failure.what(), qs::MessageKind::Error);
    }
    // A command may have opened, saved or changed the shop's settings.
    showTitle();
}

void TCMForm::showTitle()
{
    const QString program = QStringLiteral("Quaystall DB");
    if (!editor_.ShopOpen || app_.ShopName.empty()) {
        setWindowTitle(program);
        return;
    }
    const QString unsaved = app_.CatalogueModified() ? QStringLiteral("*") : QString();
    setWindowTitle(fromBytes(app_.ShopName) + unsaved + QStringLiteral(" \u2014 ") + program);
}

void TCMForm::addCategory()
{
    runCommand([this] { commands_.addCategory([this](qs::TNewCategory& added) { selectNode(added); }); });
}

void TCMForm::addSubCategory()
{
    runCommand([this] {
        qs::TNewCategory* parent = selectedNode();
        if (!parent)
            parent = &app_.catalogue.root();
        commands_.addSubCategory(*parent, [this](qs::TNewCategory& added) { selectNode(added); });
        CatalogueTree->viewport()->update();
    });
}

void TCMForm::newProduct()
{
    runCommand([this] {
        qs::TNewCategory* selected = selectedNode();
        if (const qs::TNewProduct* added = commands_.newProduct(selected ? *selected : app_.catalogue.root()))
            grids_->selectProduct(*added);
    });
}

bool TCMForm::hasFocusWithin(const QWidget* widget) const
{
    const QWidget* focused = focusWidget();
    return focused && (focused == widget || widget->isAncestorOf(focused));
}

void TCMForm::deleteCommand()
{
    if (hasFocusWithin(CatalogueTree))
        deleteFrom(qs::DeleteTarget::Tree);
    else if (hasFocusWithin(ProdGrid1))
        deleteFrom(qs::DeleteTarget::ProductGrid);
}

void TCMForm::deleteFrom(qs::DeleteTarget target)
{
    runCommand([&] { commands_.deleteCommand(target, selectedNode(), productOnGridRow()); });
    // The product grid refreshes after a product is deleted.
}

qs::TNewProduct* TCMForm::productOnGridRow() const
{
    return grids_->productOnCurrentRow();
}

void TCMForm::sortCatalogue()
{
    runCommand([this] { commands_.sort(); });
    if (const QModelIndex current = CatalogueTree->currentIndex(); current.isValid())
        CatalogueTree->scrollTo(current);
}

void TCMForm::helpAbout()
{
    ui_->message(qs::aboutText(app_), qs::MessageKind::About);
}

void TCMForm::goToProduct(const qs::TNewProduct* product)
{
    if (!product || !product->Category)
        return;
    selectNode(*product->Category);
    grids_->selectProduct(*product);
    ProdGrid1->setFocus(Qt::OtherFocusReason);
}

void TCMForm::searchCatalogue()
{
    ProdNameEdit->setFocus(Qt::ShortcutFocusReason);
}

// ------------------------------------------------------------------ events

bool TCMForm::treeKeyPressed(QKeyEvent* key)
{
    // Shift means Shift alone; the keypad flag is not a modifier a person holds.
    const Qt::KeyboardModifiers held = key->modifiers() & ~Qt::KeypadModifier;
    const bool shiftAlone = held == Qt::ShiftModifier;
    switch (key->key()) {
    case Qt::Key_Insert:
        if (shiftAlone)
            newProduct();
        else
            addCategory();
        return true;
    case Qt::Key_Delete:
        if (shiftAlone) {
            ProdGrid1->setFocus(Qt::OtherFocusReason);
            deleteFrom(qs::DeleteTarget::ProductGrid);
        } else {
            deleteFrom(qs::DeleteTarget::Tree);
        }
        return true;
    default:
        return false;
    }
}

bool TCMForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == CatalogueTree && event->type() == QEvent::KeyPress)
        return treeKeyPressed(static_cast<QKeyEvent*>(event));
    if (watched == ProdNameEdit && event->type() == QEvent::FocusIn) {
        // After the click that gave the focus has placed the cursor.
        QTimer::singleShot(0, ProdNameEdit, &QLineEdit::selectAll);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TCMForm::showContextMenu(const QPoint& at)
{
    const QModelIndex clicked = CatalogueTree->indexAt(at);
    if (clicked.isValid())
        selectNode(*model_->node(clicked));
    CategoryMenu->popup(CatalogueTree->viewport()->mapToGlobal(at));
}

bool TCMForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && firstActivation_) {
        firstActivation_ = false;
        // Once the activation is over, so that Open Shop's dialog sits on a
        // window that is fully shown.
        QTimer::singleShot(0, this, [this] { emit firstActivated(); });
    }
    return QMainWindow::event(event);
}

void TCMForm::closeEvent(QCloseEvent* event)
{
    commitTyping();
    bool mayClose = false;
    runCommand([&] { mayClose = commands_.closeQuery(app_.SettingsModified); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

} // namespace qs::gui
