#pragma once

#include "core/settings/ProductOptions.h"

#include "gui/ui/OkCancelDialog.h"

#include <optional>
#include <string>

class QListWidget;
class QPushButton;
class QToolButton;

namespace qs::gui {

// "Product Options": the shop's options with their variations, and which of
// them apply to one product or category. OK writes the options file.
class TVaryForm : public OkCancelDialog {
    Q_OBJECT
public:
    TVaryForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent = nullptr);

    // Shows the options with those the value names ticked. The new value on
    // OK; nothing on Cancel, or when the value names something that is not an
    // option (after saying so; the dialog then does not open).
    std::optional<std::string> editOptions(const std::string& value);

    QListWidget* VaryBox = nullptr;
    QPushButton* AddVarBtn = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QListWidget* OptionBox = nullptr;
    QPushButton* AddOptionBtn = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn5 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;

private:
    // Refills the lists from the table, keeping the selections given.
    void showOptions(int option);
    void showVariations(int variation);
    void addOption();
    void editOption();
    void deleteOption();
    void addVariation();
    void editVariation();
    void deleteVariation();
    void moveVariation(int step);
    void confirm() override;

    qs::ProductOptions options_;
    std::string result_;
};

} // namespace qs::gui
