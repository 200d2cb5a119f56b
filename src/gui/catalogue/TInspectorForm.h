#pragma once

#include "core/catalogue/ProductInspector.h"

#include "gui/ui/OkCancelDialog.h"

#include <optional>

class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace qs {
class FieldDefinitions;
class TNewProduct;
} // namespace qs

namespace qs::gui {

// The inspector: one product's per-type values, a column per type. Nothing
// reaches the product from here: OK gives the changed fields to the caller.
class TInspectorForm : public OkCancelDialog {
    Q_OBJECT
public:
    TInspectorForm(const qs::FieldDefinitions& definitions, qs::UserInterface& ui, QWidget* parent = nullptr);

    // The fields the merchant changed with their new values on OK; nothing
    // on Cancel.
    std::optional<qs::ProductInspector::FieldChanges> inspect(const qs::TNewProduct& product);

    QLabel* AdviceLabel = nullptr;
    QTableWidget* StringGrid = nullptr;
    QPushButton* NewTypeBtn = nullptr;
    QPushButton* DeleteTypeBtn = nullptr;

private:
    void showTable();
    // A character the catalogue cannot hold is told, and the cell shows its value again.
    void cellTyped(QTableWidgetItem* item);
    // A price or weight the shop cannot read is marked, its note as the tip.
    void markUnreadable(QTableWidgetItem* item) const;
    void newType();
    void deleteType();
    void confirm() override;

    const qs::FieldDefinitions& definitions_;
    qs::UserInterface& ui_;
    std::optional<qs::ProductInspector> inspector_;
    qs::ProductInspector::FieldChanges changes_;
};

} // namespace qs::gui
