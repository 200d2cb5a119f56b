#pragma once

#include "gui/ui/OkCancelDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTableWidget;
class QTableWidgetItem;

namespace qs {
struct AppState;
class PostageAndPacking;
class UserInterface;
} // namespace qs

namespace qs::gui {

// "Postage and Packing Info": the delivery areas, the postal zones, the
// weight bands and the charges, on four sheets. It edits the postage
// settings that outlive it (AppState::Postage); OK writes the area and
// charge files and sets the keys.
class TPostPackForm : public OkCancelDialog {
    Q_OBJECT
public:
    TPostPackForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent = nullptr);

    // Reads the areas and keys and shows the dialog on the sheet used last.
    // True when it closed with OK.
    bool execute();

    enum Sheet { AreaSheet, ZoneSheet, WeightSheet, ChargeSheet };

    QTabWidget* PageControl = nullptr;
    // "Country && Area Codes"
    QListWidget* AreaList = nullptr;
    QLineEdit* AreaNameEdit = nullptr;
    QComboBox* ZoneBox = nullptr;
    QComboBox* VATBox = nullptr;
    QCheckBox* DefaultBox = nullptr;
    QPushButton* NewAreaBtn = nullptr;
    QPushButton* DelAreaBtn = nullptr;
    // "Postal Zones"
    QListWidget* ZoneList = nullptr;
    QPushButton* NewZoneBtn = nullptr;
    QPushButton* EditZoneBtn = nullptr;
    QPushButton* DelZoneBtn = nullptr;
    // "Weight Categories"
    QComboBox* UnitBox = nullptr;
    QListWidget* BandList = nullptr;
    QLineEdit* BandEdit = nullptr;
    QPushButton* NewBandBtn = nullptr;
    QPushButton* DelBandBtn = nullptr;
    // "Postal Charges"
    QComboBox* MethodBox = nullptr;
    QCheckBox* VATIncBox = nullptr;
    QStackedWidget* MethodPanels = nullptr;
    QTableWidget* WeightGrid = nullptr;
    QTableWidget* FixedGrid = nullptr;
    QLineEdit* PercentEdit = nullptr;

private:
    QWidget* buildAreaSheet();
    QWidget* buildZoneSheet();
    QWidget* buildWeightSheet();
    QWidget* buildChargeSheet();
    // The method's page of charges, or a word that none is chosen (-1).
    void showMethod(int method);
    void sheetShown(int sheet);

    void showAreas(int selected);
    void showAreaProperties();
    void renameArea();
    void newArea();
    void deleteArea();

    void showZones();
    void newZone();
    void editZone();
    void deleteZone();

    void showBands(int selected);
    void renameBand();
    void newBand();
    void deleteBand();

    void showCharges();
    void chargeTyped(QTableWidgetItem* cell);
    void costTyped(QTableWidgetItem* cell);
    void vatIncludedClicked(bool ticked);
    // Typed into the unit box or the percentage: a character the catalogue
    // cannot hold is told, and the text goes back to the value kept.
    void typeWeightUnit(const QString& unit);
    void typePercentage(const QString& text);
    std::string zoneName(int row) const;
    void confirm() override;

    qs::AppState& state_;
    qs::UserInterface& ui_;
    qs::PostageAndPacking& postage_;
};

} // namespace qs::gui
