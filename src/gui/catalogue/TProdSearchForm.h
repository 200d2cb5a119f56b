#pragma once

#include "core/catalogue/TNewProduct.h"

#include "gui/ui/OkCancelDialog.h"

class QLabel;
class QListView;
class QPushButton;

namespace qs {
class Catalogue;
class UserInterface;
} // namespace qs

namespace qs::gui {

class SearchResultsModel;

// "Search Results": the products whose names hold the searched text, in name
// order. Going to a product leaves the window open; OK closes it.
class TProdSearchForm : public OkCancelDialog {
    Q_OBJECT
public:
    TProdSearchForm(qs::Catalogue& catalogue, qs::UserInterface& ui, QWidget* parent = nullptr);

    // Searches the catalogue (every product for an empty text) and shows the
    // results modally, or says that nothing was found.
    void search(const QString& text);

    QLabel* HeadingLabel = nullptr;
    QListView* ResultsBox = nullptr;
    QPushButton* GoToBtn = nullptr;

    void done(int result) override;

signals:
    // The product whose category and row the main window should show.
    void goToProduct(qs::TNewProduct* product);

private:
    void goToSelected();

    qs::Catalogue& catalogue_;
    qs::UserInterface& ui_;
    SearchResultsModel* results_ = nullptr;
};

} // namespace qs::gui
