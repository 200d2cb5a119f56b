#include "gui/catalogue/TProdSearchForm.h"

#include "gui/text/Encoding.h"
#include "core/catalogue/FindProducts.h"
#include "core/catalogue/TNewProduct.h"
#include "gui/catalogue/SearchResultsModel.h"
#include "gui/ui/DialogParts.h"
#include "core/ui/UserInterface.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace qs::gui {

TProdSearchForm::TProdSearchForm(qs::Catalogue& catalogue, qs::UserInterface& ui, QWidget* parent)
    : OkCancelDialog("Search Results", {.cancel = {}}, parent), catalogue_(catalogue), ui_(ui)
{
    HeadingLabel = new QLabel;
    // The heading quotes the search text, which is never markup.
    HeadingLabel->setTextFormat(Qt::PlainText);
    results_ = new SearchResultsModel(this);
    ResultsBox = new QListView;
    ResultsBox->setModel(results_);
    ResultsBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A million names are laid out as fast as a few.
    ResultsBox->setUniformItemSizes(true);
    GoToBtn = plainButton("&Go to Product");
    connect(GoToBtn, &QPushButton::clicked, this, &TProdSearchForm::goToSelected);
    connect(ResultsBox, &QListView::doubleClicked, this, &TProdSearchForm::goToSelected);

    QHBoxLayout* buttons = frameButtonRow();
    buttons->insertWidget(buttons->indexOf(OKBtn), GoToBtn);
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
