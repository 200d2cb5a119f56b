#include "gui/settings/TPostPackForm.h"

#include "gui/text/Encoding.h"
#include "core/app/AppState.h"
#include "gui/ui/DialogParts.h"
#include "core/ui/UserInterface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qs::gui {

namespace {

QTableWidget* chargeGrid()
{
    auto* grid = new QTableWidget;
    grid->setColumnCount(qs::zoneCount);
    QStringList zones;
    for (const std::string& zone : qs::zoneNames())
        zones << fromBytes(zone);
    grid->setHorizontalHeaderLabels(zones);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return grid;
}

enum class CellEditing { Editable, ReadOnly };

QTableWidgetItem* cell(const std::string& text, CellEditing editing)
{
    auto* item = new QTableWidgetItem(fromBytes(text));
    if (editing == CellEditing::ReadOnly)
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

// Rows of the list with the buttons beside it.
QWidget* listWithButtons(QWidget* list, std::initializer_list<QWidget*> buttons, QLayout* extra = nullptr)
{
    auto* side = new QVBoxLayout;
    for (QWidget* button : buttons)
        side->addWidget(button);
    side->addStretch(1);
    auto* sheet = new QWidget;
    auto* layout = new QHBoxLayout(sheet);
    layout->addWidget(list, 1);
    if (extra)
        layout->addLayout(extra, 1);
    layout->addLayout(side);
    return sheet;
}

} // namespace

TPostPackForm::TPostPackForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent)
    : OkCancelDialog("Postage and Packing Info", {}, parent), state_(state), ui_(ui), postage_(state.Postage)
{
    PageControl = new QTabWidget;
    PageControl->addTab(buildAreaSheet(), "Country && A&rea Codes");
    PageControl->addTab(buildZoneSheet(), "Postal &Zones");
    PageControl->addTab(buildWeightSheet(), "&Weight Categories");
    PageControl->addTab(buildChargeSheet(), "Postal C&harges");
    PageControl->setCurrentIndex(ChargeSheet);
    connect(PageControl, &QTabWidget::currentChanged, this, &TPostPackForm::sheetShown);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addLayout(frameButtonRow());
    resize(640, 420);
}

QWidget* TPostPackForm::buildAreaSheet()
{
    AreaList = new QListWidget;
    AreaNameEdit = new QLineEdit;
    ZoneBox = new QComboBox;
    VATBox = new QComboBox;
    for (const std::string_view liability : qs::liabilityNames)
        VATBox->addItem(fromBytes(liability));
    DefaultBox = new QCheckBox("Make Defa&ult?");
    NewAreaBtn = plainButton("&New");
    DelAreaBtn = plainButton("&Delete");
    connect(AreaList, &QListWidget::itemSelectionChanged, this, &TPostPackForm::showAreaProperties);
    connect(AreaNameEdit, &QLineEdit::editingFinished, this, &TPostPackForm::renameArea);
    connect(ZoneBox, &QComboBox::activated, this, [this](int zone) {
        postage_.setZone(static_cast<std::size_t>(selectedRow(AreaList)), zone + 1);
    });
    connect(VATBox, &QComboBox::activated, this, [this](int liability) {
        postage_.setLiability(static_cast<std::size_t>(selectedRow(AreaList)), liability);
    });
    connect(DefaultBox, &QCheckBox::clicked, this, [this](bool ticked) {
        postage_.setDefault(static_cast<std::size_t>(selectedRow(AreaList)), ticked);
    });
    connect(NewAreaBtn, &QPushButton::clicked, this, &TPostPackForm::newArea);
    connect(DelAreaBtn, &QPushButton::clicked, this, &TPostPackForm::deleteArea);
    auto* properties = new QFormLayout;
    properties->addRow("Na&me:", AreaNameEdit);
    properties->addRow("Zon&e:", ZoneBox);
    properties->addRow("&VAT:", VATBox);
    properties->addRow(DefaultBox);
    return listWithButtons(AreaList, {NewAreaBtn, DelAreaBtn}, properties);
}

QWidget* TPostPackForm::buildZoneSheet()
{
    ZoneList = new QListWidget;
    NewZoneBtn = plainButton("&New");
    EditZoneBtn = plainButton("&Edit");
    DelZoneBtn = plainButton("&Delete");
    connect(NewZoneBtn, &QPushButton::clicked, this, &TPostPackForm::newZone);
    connect(EditZoneBtn, &QPushButton::clicked, this, &TPostPackForm::editZone);
    connect(DelZoneBtn, &QPushButton::clicked, this, &TPostPackForm::deleteZone);
    return listWithButtons(ZoneList, {NewZoneBtn, EditZoneBtn, DelZoneBtn});
}

QWidget* TPostPackForm::buildWeightSheet()
{
    UnitBox = new QComboBox;
    UnitBox->setEditable(true);
    UnitBox->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string_view unit : qs::PostageAndPacking::unitNames)
        UnitBox->addItem(fromBytes(unit));
    BandList = new QListWidget;
    BandEdit = new QLineEdit;
    NewBandBtn = plainButton("&New");
    // Pressing New must not take the focus from the text box: leaving it
    // would rename the selected band to the text meant for the new one.
    NewBandBtn->setFocusPolicy(Qt::NoFocus);
    DelBandBtn = plainButton("&Delete");
    connect(UnitBox, &QComboBox::editTextChanged, this,
            [this](const QString& unit) { typeWeightUnit(unit); });
    connect(BandList, &QListWidget::itemSelectionChanged, this, [this] {
        const int band = selectedRow(BandList);
        BandEdit->setText(band < 0 ? QString() : BandList->item(band)->text());
    });
    connect(BandEdit, &QLineEdit::editingFinished, this, &TPostPackForm::renameBand);
    connect(NewBandBtn, &QPushButton::clicked, this, &TPostPackForm::newBand);
    connect(DelBandBtn, &QPushButton::clicked, this, &TPostPackForm::deleteBand);
    auto* units = new QHBoxLayout;
    units->addWidget(labelFor("&Units:-", UnitBox));
    units->addWidget(UnitBox, 1);
    auto* bands = new QVBoxLayout;
    bands->addWidget(labelFor("Band na&me:", BandEdit));
    bands->addWidget(BandEdit);
    bands->addStretch(1);
    auto* sheet = new QWidget;
    auto* layout = new QVBoxLayout(sheet);
    layout->addLayout(units);
    layout->addWidget(listWithButtons(BandList, {NewBandBtn, DelBandBtn}, bands));
    return sheet;
}

QWidget* TPostPackForm::buildChargeSheet()
{
    MethodBox = new QComboBox;
    for (const std::string_view method : qs::PostageAndPacking::methodNames)
        MethodBox->addItem(fromBytes(method));
    VATIncBox = new QCheckBox("VAT is &included in these costs");
    WeightGrid = chargeGrid();
    FixedGrid = chargeGrid();
    FixedGrid->setRowCount(1);
    FixedGrid->setVerticalHeaderLabels({"Cost"});
    PercentEdit = new QLineEdit;
    auto* percentRow = new QHBoxLayout;
    percentRow->addWidget(labelFor("&Percentage:-", PercentEdit));
    percentRow->addWidget(PercentEdit);
    percentRow->addWidget(new QLabel("%"));
    percentRow->addStretch(1);
    // The row sits at the top of the space the charge grids take.
    auto* percent = new QWidget;
    auto* percentPage = new QVBoxLayout(percent);
    percentPage->addLayout(percentRow);
    percentPage->addStretch(1);
    MethodBox->setPlaceholderText("(No method chosen: no postage is charged)");
    MethodPanels = new QStackedWidget;
    MethodPanels->addWidget(WeightGrid);
    MethodPanels->addWidget(FixedGrid);
    MethodPanels->addWidget(percent);
    auto* noMethod = new QLabel("Choose how the shop charges postage above.");
    noMethod->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    MethodPanels->addWidget(noMethod);
    connect(MethodBox, &QComboBox::currentIndexChanged, this, [this](int method) { showMethod(method); });
    connect(VATIncBox, &QCheckBox::clicked, this, &TPostPackForm::vatIncludedClicked);
    connect(PercentEdit, &QLineEdit::textEdited, this, [this](const QString& text) { typePercentage(text); });
    connect(WeightGrid, &QTableWidget::itemChanged, this, &TPostPackForm::chargeTyped);
    connect(FixedGrid, &QTableWidget::itemChanged, this, &TPostPackForm::costTyped);
    auto* method = new QHBoxLayout;
    method->addWidget(labelFor("Postal Charge Calculation &Method:-", MethodBox));
    method->addWidget(MethodBox, 1);
    auto* sheet = new QWidget;
    auto* layout = new QVBoxLayout(sheet);
    layout->addLayout(method);
    layout->addWidget(VATIncBox);
    layout->addWidget(MethodPanels, 1);
    return sheet;
}

void TPostPackForm::showMethod(int method)
{
    postage_.method = method;
    // The page after the three methods' stands for none chosen.
    MethodPanels->setCurrentIndex(method < 0 ? MethodPanels->count() - 1 : method);
}

bool TPostPackForm::execute()
{
    postage_.show(state_.ShopFields, state_.ShopDataDir(), ui_);
    showAreas(postage_.areas.find(postage_.areas.defaultArea));
    {
        const QSignalBlocker quietUnit(UnitBox);
        UnitBox->setEditText(fromBytes(postage_.weightUnit));
        const QSignalBlocker quietVat(VATIncBox);
        VATIncBox->setChecked(postage_.vatIncluded);
    }
    {
        const QSignalBlocker quietMethod(MethodBox);
        MethodBox->setCurrentIndex(postage_.method);
    }
    showMethod(postage_.method);
    PercentEdit->setText(fromBytes(postage_.percentage));
    showZones();
    showBands(-1);
    showCharges();
    return exec() == QDialog::Accepted;
}

void TPostPackForm::sheetShown(int sheet)
{
    if (sheet == ZoneSheet)
        showZones();
    else if (sheet == ChargeSheet)
        showCharges();
}

void TPostPackForm::showAreas(int selected)
{
    {
        const QSignalBlocker quiet(AreaList);
        AreaList->clear();
        for (const qs::DeliveryArea& area : postage_.areas.entries)
            AreaList->addItem(fromBytes(area.name));
        AreaList->setCurrentRow(selected);
    }
    ZoneBox->clear();
    for (const std::string& zone : qs::zoneNames())
        ZoneBox->addItem(fromBytes(zone));
    showAreaProperties();
}

void TPostPackForm::showAreaProperties()
{
    const int row = selectedRow(AreaList);
    const qs::DeliveryArea* area = row < 0 ? nullptr : &postage_.areas.entries[static_cast<std::size_t>(row)];
    AreaNameEdit->setText(area ? fromBytes(area->name) : QString());
    ZoneBox->setCurrentIndex(area ? area->zone() - 1 : -1);
    VATBox->setCurrentIndex(area ? area->liability() : -1);
    DefaultBox->setChecked(area && postage_.areas.isDefault(static_cast<std::size_t>(row)));
}

void TPostPackForm::renameArea()
{
    const int row = selectedRow(AreaList);
    if (row < 0)
        return;
    const std::size_t entry = static_cast<std::size_t>(row);
    const std::optional<std::string> name = typedBytes(AreaNameEdit->text(), ui_);
    if (name && postage_.renameArea(entry, *name, ui_))
        AreaList->item(row)->setText(AreaNameEdit->text());
    else
        AreaNameEdit->setText(fromBytes(postage_.areas.entries[entry].name));
}

void TPostPackForm::newArea()
{
    const int row = selectedRow(AreaList);
    const std::size_t added =
        postage_.newArea(row < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(row)));
    showAreas(row < 0 ? -1 : static_cast<int>(added));
}

void TPostPackForm::deleteArea()
{
    const int row = selectedRow(AreaList);
    if (row >= 0 && postage_.deleteArea(static_cast<std::size_t>(row), ui_))
        showAreas(-1);
}

void TPostPackForm::showZones()
{
    ZoneList->clear();
    for (const std::string& zone : qs::zoneNames())
        ZoneList->addItem(fromBytes(zone));
}

void TPostPackForm::newZone()
{
    const std::optional<std::string> name =
        ui_.inputText("New Zone", "Please enter a name for the new zone:-", "New Zone");
    if (!name)
        return;
    const int row = selectedRow(ZoneList);
    ZoneList->insertItem(row < 0 ? ZoneList->count() : row, fromBytes(*name));
}

void TPostPackForm::editZone()
{
    const int row = selectedRow(ZoneList);
    if (row < 0)
        return;
    const std::optional<std::string> name =
        ui_.inputText("Change Name", "Please enter the new name:-", zoneName(row));
    if (name)
        ZoneList->item(row)->setText(fromBytes(*name));
}

void TPostPackForm::deleteZone()
{
    const int row = selectedRow(ZoneList);
    if (row < 0)
        return;
    const std::string question = "Delete '" + zoneName(row) + "'?";
    if (ui_.ask(question, qs::MessageKind::Confirmation, qs::Buttons::YesNo) == qs::Answer::Yes)
        delete ZoneList->takeItem(row);
}

void TPostPackForm::showBands(int selected)
{
    {
        const QSignalBlocker quiet(BandList);
        BandList->clear();
        for (const std::string& band : postage_.tables.bands)
            BandList->addItem(fromBytes(band));
        BandList->setCurrentRow(selected);
    }
    BandEdit->setText(selected < 0 ? QString() : BandList->item(selected)->text());
}

void TPostPackForm::renameBand()
{
    const int row = selectedRow(BandList);
    if (row < 0 || BandEdit->text().isEmpty())
        return;
    const std::optional<std::string> band = typedBytes(BandEdit->text(), ui_);
    if (!band)
        return;
    const std::optional<std::size_t> moved = postage_.renameBand(static_cast<std::size_t>(row), *band, ui_);
    showBands(moved ? static_cast<int>(*moved) : row);
}

void TPostPackForm::newBand()
{
    const std::optional<std::string> band = typedBytes(BandEdit->text(), ui_);
    if (!band)
        return;
    if (const std::optional<std::size_t> added = postage_.newBand(*band, ui_))
        showBands(static_cast<int>(*added));
}

void TPostPackForm::deleteBand()
{
    const int row = selectedRow(BandList);
    if (row >= 0 && postage_.deleteBand(static_cast<std::size_t>(row), ui_))
        showBands(-1);
}

void TPostPackForm::showCharges()
{
    const QSignalBlocker quietWeight(WeightGrid);
    const QSignalBlocker quietFixed(FixedGrid);
    const auto& tables = postage_.tables;
    const bool editable = postage_.chargesEditable();
    const CellEditing chargeEditing = editable ? CellEditing::Editable : CellEditing::ReadOnly;
    const int rows = editable ? static_cast<int>(tables.bands.size()) : 1;
    WeightGrid->setRowCount(rows);
    QStringList headings;
    for (int row = 0; row < rows; ++row) {
        headings << fromBytes(postage_.bandHeading(static_cast<std::size_t>(row)));
        for (int zone = 0; zone < qs::zoneCount; ++zone) {
            const std::size_t r = static_cast<std::size_t>(row);
            const bool filled = r < tables.weightCharges.size();
            WeightGrid->setItem(
                row, zone,
                cell(filled ? tables.weightCharges[r][static_cast<std::size_t>(zone)] : "", chargeEditing));
        }
    }
    WeightGrid->setVerticalHeaderLabels(headings);
    for (int zone = 0; zone < qs::zoneCount; ++zone)
        FixedGrid->setItem(0, zone,
                           cell(tables.fixedCosts[static_cast<std::size_t>(zone)], CellEditing::Editable));
}

void TPostPackForm::chargeTyped(QTableWidgetItem* typed)
{
    const std::size_t band = static_cast<std::size_t>(typed->row());
    const std::size_t zone = static_cast<std::size_t>(typed->column());
    const std::optional<std::string> charge = typedBytes(typed->text(), ui_);
    if (!charge || !postage_.setWeightCharge(band, zone, *charge, ui_)) {
        const QSignalBlocker quiet(WeightGrid);
        const auto& rows = postage_.tables.weightCharges;
        typed->setText(band < rows.size() ? fromBytes(rows[band][zone]) : QString());
    }
}

void TPostPackForm::costTyped(QTableWidgetItem* typed)
{
    const std::size_t zone = static_cast<std::size_t>(typed->column());
    const std::optional<std::string> cost = typedBytes(typed->text(), ui_);
    if (!cost || !postage_.setFixedCost(zone, *cost, ui_)) {
        const QSignalBlocker quiet(FixedGrid);
        typed->setText(fromBytes(postage_.tables.fixedCosts[zone]));
    }
}

void TPostPackForm::typeWeightUnit(const QString& unit)
{
    if (const std::optional<std::string> typed = typedBytes(unit, ui_)) {
        postage_.setWeightUnit(state_, *typed, ui_);
        return;
    }
    const QSignalBlocker quiet(UnitBox);
    UnitBox->setEditText(fromBytes(postage_.weightUnit));
}

void TPostPackForm::typePercentage(const QString& text)
{
    if (std::optional<std::string> typed = typedBytes(text, ui_))
        postage_.percentage = std::move(*typed);
    else
        PercentEdit->setText(fromBytes(postage_.percentage));
}

std::string TPostPackForm::zoneName(int row) const
{
    // Every name in the list came from bytes or from an input box, so it converts.
    return toCatalogueBytes(ZoneList->item(row)->text()).bytes;
}

void TPostPackForm::vatIncludedClicked(bool ticked)
{
    const bool included = postage_.setVatIncluded(ticked, ui_);
    const QSignalBlocker quiet(VATIncBox);
    VATIncBox->setChecked(included);
}

void TPostPackForm::confirm()
{
    if (postage_.accept(state_, state_.ShopDataDir(), ui_))
        accept();
}

} // namespace qs::gui
