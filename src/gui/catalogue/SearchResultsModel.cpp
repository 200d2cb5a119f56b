#include "gui/catalogue/SearchResultsModel.h"

#include "gui/text/Encoding.h"
#include "core/catalogue/TNewProduct.h"

namespace qs::gui {

void SearchResultsModel::setProducts(std::vector<qs::TNewProduct*> products)
{
    beginResetModel();
    products_ = std::move(products);
    endResetModel();
}

int SearchResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(products_.size());
}

QVariant SearchResultsModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    return fromBytes(products_[static_cast<std::size_t>(index.row())]->name());
}

} // namespace qs::gui
