#pragma once

#include "core/settings/VatCountries.h"

#include "gui/ui/OkCancelDialog.h"

class QComboBox;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

// "Special VAT Rates by Country": a special rate per VAT code for particular
// countries, kept in countries.tax.
class TVATCountryForm : public OkCancelDialog {
    Q_OBJECT
public:
    TVATCountryForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent = nullptr);

    // Reads the codes and the countries' rates and shows the dialog. True
    // when it closed with OK, the file then written.
    bool execute();

    QTableWidget* CountryGrid = nullptr;
    QComboBox* CountryBox = nullptr;
    QPushButton* AddCountryBtn = nullptr;
    QPushButton* DelCountryBtn = nullptr;

private:
    void showGrid();
    void rateTyped(QTableWidgetItem* cell);
    void addCountry();
    void deleteCountry();
    void confirm() override;

    qs::AppState& state_;
    qs::UserInterface& ui_;
    qs::VatCountries countries_;
};

} // namespace qs::gui
