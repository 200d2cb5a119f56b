#include "gui/settings/TVATCountryForm.h"

#include "core/app/AppState.h"
#include "gui/text/Encoding.h"
#include "gui/ui/DialogParts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qs::gui {

TVATCountryForm::TVATCountryForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent)
    : OkCancelDialog("Special VAT Rates by Country", {.ok = "&OK", .cancel = "&Cancel"}, parent),
      state_(state), ui_(ui)
{
    CountryGrid = new QTableWidget;
    CountryGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    CountryBox = new QComboBox;
    AddCountryBtn = plainButton("&Add Country");
    DelCountryBtn = plainButton("&Delete Country");
    connect(CountryGrid, &QTableWidget::itemChanged, this, &TVATCountryForm::rateTyped);
    connect(AddCountryBtn, &QPushButton::clicked, this, &TVATCountryForm::addCountry);
    connect(DelCountryBtn, &QPushButton::clicked, this, &TVATCountryForm::deleteCountry);
    auto* country = new QHBoxLayout;
    country->addWidget(labelFor("Co&untry:", CountryBox));
    country->addWidget(CountryBox, 1);
    country->addWidget(AddCountryBtn);
    country->addWidget(DelCountryBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("VAT Code:-"));
    layout->addWidget(CountryGrid, 1);
    layout->addLayout(country);
    layout->addLayout(frameButtonRow());
    resize(560, 360);
}

bool TVATCountryForm::execute()
{
    if (!countries_.open(state_.ShopDataDir(), state_.Postage.areas, ui_))
        return false;
    CountryBox->clear();
    for (const std::string& name : countries_.countries)
        CountryBox->addItem(fromBytes(name));
    CountryBox->setCurrentIndex(0);
    showGrid();
    CountryGrid->setCurrentCell(0, 1);
    return exec() == QDialog::Accepted;
}

void TVATCountryForm::showGrid()
{
    const QSignalBlocker quiet(CountryGrid);
    const auto& rows = countries_.rows;
    const int columns = static_cast<int>(countries_.columnCount());
    CountryGrid->clear();
    CountryGrid->setColumnCount(columns + 1);
    // The last row stays empty, for the country to come.
    CountryGrid->setRowCount(static_cast<int>(rows.size()) + 1);
    QStringList headings{QString()};
    for (int c = 0; c < columns; ++c)
        headings << (countries_.editable(static_cast<std::size_t>(c))
                         ? fromBytes(countries_.codes[static_cast<std::size_t>(c)])
                         : QString());
    CountryGrid->setHorizontalHeaderLabels(headings);
    for (int r = 0; r <= static_cast<int>(rows.size()); ++r) {
        const bool country = r < static_cast<int>(rows.size());
        for (int c = 0; c <= columns; ++c) {
            auto* item = new QTableWidgetItem;
            const bool rateColumn = c > 0 && countries_.editable(static_cast<std::size_t>(c - 1));
            if (country)
                item->setText(fromBytes(
                    c == 0 ? rows[static_cast<std::size_t>(r)].country
                           : rows[static_cast<std::size_t>(r)].rates[static_cast<std::size_t>(c - 1)]));
            if (!country || !rateColumn)
                item->setFlags(country && c == 0 ? Qt::ItemIsEnabled | Qt::ItemIsSelectable
                                                 : Qt::ItemIsEnabled);
            CountryGrid->setItem(r, c, item);
        }
    }
}

void TVATCountryForm::rateTyped(QTableWidgetItem* cell)
{
    const std::size_t row = static_cast<std::size_t>(cell->row());
    const std::size_t column = static_cast<std::size_t>(cell->column() - 1);
    if (const std::optional<std::string> rate = typedBytes(cell->text(), ui_))
        countries_.setRate(row, column, *rate, ui_);
    // Shown as stored: with two decimals, or as it was when refused.
    const QSignalBlocker quiet(CountryGrid);
    if (row < countries_.rows.size() && countries_.editable(column))
        cell->setText(fromBytes(countries_.rows[row].rates[column]));
}

void TVATCountryForm::addCountry()
{
    const std::optional<std::string> country = typedBytes(CountryBox->currentText(), ui_);
    if (country && countries_.addCountry(*country, ui_))
        showGrid();
}

void TVATCountryForm::deleteCountry()
{
    const int row = CountryGrid->currentRow();
    if (row >= 0 && countries_.deleteCountry(static_cast<std::size_t>(row), ui_))
        showGrid();
}

void TVATCountryForm::confirm()
{
    if (countries_.accept(state_.ShopDataDir(), ui_))
        accept();
}

} // namespace qs::gui
