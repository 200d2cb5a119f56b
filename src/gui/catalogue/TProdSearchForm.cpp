#include "gui/catalogue/TProdSearchForm.h"

#include "gui/text/Encoding.h"
#include "core/catalogue/FindProducts.h"
#include "core/catalogue/TNewProduct.h"
#include "gui/catalogue/SearchResultsModel.h"
#include "core/ui/UserInterface.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace qs::gui {

TProdSearchForm::TProdSearchForm(qs::Catalogue& catalogue, qs::UserInterface& ui, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), ui_(ui)
{
    setWindowTitle("Search Results");
    HeadingLabel = new QLabel;
    // The heading quotes the search text, which is never markup.
    HeadingLabel->setTextFormat(Qt::PlainText);
    results_ = new SearchResultsModel(this);
    ResultsBox = new QListView;
    ResultsBox->setModel(results_);
    ResultsBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A million names are laid out as fast as a few.
    ResultsBox->setUniformItemSizes(true);
    GoToBtn = new QPushButton("&Go to Product");
    GoToBtn->setAutoDefault(false);
    OKBtn = new QPushButton("OK");
    OKBtn->setDefault(true);
    connect(GoToBtn, &QPushButton::clicked, this, &TProdSearchForm::goToSelected);
    connect(ResultsBox, &QListView::doubleClicked, this, &TProdSearchForm::goToSelected);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(GoToBtn);
    buttons->addWidget(OKBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(HeadingLabel);
    layout->addWidget(ResultsBox);
    layout->addLayout(buttons);
}

void TProdSearchForm::search(const QString& text)
{
    const std::optional<std::string> typed = typedBytes(text, ui_);
    if (!typed)
        return;
    ProductSearch found = FindProducts(catalogue_, *typed);
    HeadingLabel->setText(fromBytes(found.heading));
    if (found.results.empty()) {
        ui_.message(found.noResultMessage, MessageKind::Information);
        return;
    }
    results_->setProducts(std::move(found.results));
    exec();
}

void TProdSearchForm::goToSelected()
{
    const QModelIndex current = ResultsBox->currentIndex();
    if (!current.isValid() || !ResultsBox->selectionModel()->isSelected(current))
        return;
    TNewProduct* product = results_->products()[static_cast<std::size_t>(current.row())];
    if (product->Category)
        emit goToProduct(product);
}

void TProdSearchForm::done(int result)
{
    // Once the window is closed the products may be deleted.
    results_->setProducts({});
    QDialog::done(result);
}

} // namespace qs::gui
