#include "gui/catalogue/grids/CatalogueGrids.h"

#include "core/app/AppState.h"
#include "core/catalogue/EditorState.h"
#include "core/settings/CustomFields.h"
#include "core/text/PickFileIntoDirectory.h"
#include "core/ui/UserInterface.h"
#include "gui/catalogue/TInspectorForm.h"
#include "gui/catalogue/TMemoTextForm.h"
#include "gui/catalogue/grids/CategoryGridModel.h"
#include "gui/catalogue/grids/GridView.h"
#include "gui/catalogue/grids/ProductGridModel.h"
#include "gui/settings/TVaryForm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QStandardPaths>

namespace qs::gui {

CatalogueGrids::CatalogueGrids(qs::AppState& state, qs::EditorState& editor, qs::UserInterface& ui,
                               GridView& categoryView, GridView& productView, QWidget* dialogParent)
    : QObject(dialogParent), state_(state), editor_(editor), ui_(ui), categoryView_(categoryView),
      productView_(productView), categoryModel_(new CategoryGridModel(state, ui, this)),
      productModel_(new ProductGridModel(state, editor, ui, this)),
      memoText_(new TMemoTextForm(ui, dialogParent)), vary_(new TVaryForm(state, ui, dialogParent)),
      inspector_(new TInspectorForm(state.InfoList, ui, dialogParent))
{
    categoryView_.setGridModel(categoryModel_);
    categoryView_.horizontalHeader()->hide();
    categoryView_.verticalHeader()->hide();
    categoryView_.horizontalHeader()->setStretchLastSection(true);
    // The labels show whole: "Default Custom Field 3" and the like.
    categoryView_.horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    productView_.setGridModel(productModel_);
    productView_.verticalHeader()->hide();
    productView_.setDragEnabled(true);
    productView_.setDragDropMode(QAbstractItemView::DragOnly);

    connect(&categoryView_, &GridView::dialogRequested, this,
            [this](const QModelIndex& at) { categoryDialog(at.row()); });
    connect(&productView_, &GridView::dialogRequested, this, &CatalogueGrids::productDialog);
    connect(productView_.selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CatalogueGrids::followCurrentProduct);
    // Rows added or removed above it move the current cell without a word.
    const auto followMovedRows = [this] { followCurrentProduct(productView_.currentIndex()); };
    connect(productModel_, &QAbstractItemModel::rowsInserted, this, followMovedRows);
    connect(productModel_, &QAbstractItemModel::rowsRemoved, this, followMovedRows);
    connect(productModel_, &QAbstractItemModel::layoutChanged, this, followMovedRows);
}

void CatalogueGrids::followCurrentProduct(const QModelIndex& current)
{
    productModel_->setCurrentRow(current.row());
    editor_.setCurrentProduct(productModel_->productAt(current.row()));
}

void CatalogueGrids::showCategory(qs::TNewCategory* category)
{
    categoryModel_->setCategory(category);
    productModel_->setCategory(category);
    categoryView_.setVisible(category != nullptr);
    productView_.setVisible(category != nullptr);
    if (!category)
        return;
    categoryView_.setCurrentIndex(categoryModel_->index(1, 1));
    productView_.setCurrentIndex(productModel_->index(0, 1));
    productView_.scrollToTop();
}

qs::TNewProduct* CatalogueGrids::productOnCurrentRow() const
{
    const QModelIndex current = productView_.currentIndex();
    return current.isValid() ? productModel_->productAt(current.row()) : nullptr;
}

void CatalogueGrids::selectProduct(const qs::TNewProduct& product)
{
    const int column = std::max(1, productView_.currentIndex().column());
    const QModelIndex at = productModel_->indexOf(product, column);
    if (!at.isValid())
        return;
    productView_.forgetEnteredCell();
    productView_.setCurrentIndex(at);
    productView_.scrollTo(at);
}

void CatalogueGrids::commitTyping()
{
    categoryView_.commitTyping();
    productView_.commitTyping();
}

void CatalogueGrids::applyCustomMax()
{
    productModel_->applyCustomMax();
}

void CatalogueGrids::customFields()
{
    if (qs::CustomFieldsCommand(state_, ui_))
        applyCustomMax();
}

std::string CatalogueGrids::pickPicture(const std::string& current)
{
    if (pictureFolder_.empty() || !QFileInfo(QFile::decodeName(QByteArray::fromStdString(pictureFolder_))).isDir()) {
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        pictureFolder_ = QFile::encodeName(QFileInfo(pictures).isDir() ? pictures : QDir::homePath()).toStdString();
    }
    return qs::PickFileIntoDirectory(ui_, state_.LocImg, qs::imageFilter, current, &pictureFolder_);
}

void CatalogueGrids::categoryDialog(int row)
{
    qs::TNewCategory* category = categoryModel_->category();
    if (!category)
        return;
    const qs::CategoryGrid& grid = categoryModel_->grid();
    const std::string value = grid.dialogValue(*category, row);
    std::string chosen;
    switch (grid.dialog(row)) {
    case qs::CategoryGrid::Dialog::Picture:
        chosen = pickPicture(value);
        break;
    case qs::CategoryGrid::Dialog::Template:
        chosen = qs::PickFileIntoDirectory(ui_, state_.ShopDataDir(), qs::templateFilter, value);
        break;
    case qs::CategoryGrid::Dialog::Options:
        if (const auto options = vary_->editOptions(value))
            categoryModel_->storeRow(row, *options);
        return;
    case qs::CategoryGrid::Dialog::None:
        return;
    }
    if (!chosen.empty())
        categoryModel_->storeRow(row, chosen);
}

void CatalogueGrids::productDialog(const QModelIndex& index)
{
    qs::TNewProduct* product = productModel_->productAt(index.row());
    if (!product)
        return;
    const std::string value = productModel_->dialogValue(index);
    std::optional<std::string> result;
    switch (productModel_->grid().dialog(index.column())) {
    case qs::ProductGrid::Dialog::Memo:
        result = memoText_->editText(value, productModel_->grid().field(index.column()));
        break;
    case qs::ProductGrid::Dialog::Options:
        result = vary_->editOptions(value);
        break;
    case qs::ProductGrid::Dialog::Picture:
        if (std::string chosen = pickPicture(value); !chosen.empty())
            result = std::move(chosen);
        break;
    case qs::ProductGrid::Dialog::Template:
        if (std::string chosen =
                qs::PickFileIntoDirectory(ui_, state_.ShopDataDir(), qs::templateFilter, value);
            !chosen.empty())
            result = std::move(chosen);
        break;
    case qs::ProductGrid::Dialog::Inspector:
        if (const auto changes = inspector_->inspect(*product)) {
            const std::string refusal = state_.changes().setProductFields(*product, *changes, "Edit Types");
            if (!refusal.empty())
                ui_.message(refusal, qs::MessageKind::Warning);
        }
        return;
    case qs::ProductGrid::Dialog::None:
        return;
    }
    if (result)
        productModel_->store(index, *result);
}

} // namespace qs::gui
