#include "gui/catalogue/grids/EditingGridModel.h"

#include "core/catalogue/Catalogue.h"

namespace qs::gui {

EditingGridModel::EditingGridModel(qs::Catalogue& catalogue, QObject* parent)
    : QAbstractTableModel(parent), catalogue_(catalogue)
{
    catalogue_.addObserver(*this);
}

EditingGridModel::~EditingGridModel()
{
    catalogue_.removeObserver(*this);
}

void EditingGridModel::setCategory(qs::TNewCategory* category)
{
    beginResetModel();
    category_ = category;
    categoryShown();
    endResetModel();
}

void EditingGridModel::categoryAboutToBeRemoved(qs::TNewCategory& category)
{
    if (category_ && (category_ == &category || category.isAncestorOf(*category_)))
        setCategory(nullptr);
}

void EditingGridModel::catalogueAboutToBeReset()
{
    beginResetModel();
    category_ = nullptr;
}

void EditingGridModel::catalogueReset()
{
    endResetModel();
}

} // namespace qs::gui
