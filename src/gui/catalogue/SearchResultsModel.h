#pragma once

#include <QAbstractListModel>

#include <vector>

namespace qs {
class TNewProduct;
}

namespace qs::gui {

// The names of the products a search found, read from the products as they
// are shown, so that a list of a million names costs no copy of them.
class SearchResultsModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setProducts(std::vector<qs::TNewProduct*> products);
    const std::vector<qs::TNewProduct*>& products() const { return products_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<qs::TNewProduct*> products_;
};

} // namespace qs::gui
