#pragma once

#include "core/settings/ProductOptions.h"

#include "gui/ui/OkCancelDialog.h"

#include <optional>
#include <string>

class QListWidget;
class QPushButton;
class QToolButton;

namespace qs {
struct AppState;
}

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

    QListWidget* VaryBox = nullptr; // the options (not the variations), each with a tick box
    QPushButton* AddVarBtn = nullptr;
    QPushButton* BitBtn3 = nullptr;   // edits the selected option
    QPushButton* BitBtn4 = nullptr;   // deletes the selected option
    QListWidget* OptionBox = nullptr; // the variations (not the options) of the option selected in VaryBox
    QPushButton* AddOptionBtn = nullptr;
    QPushButton* BitBtn2 = nullptr;      // edits the selected variation
    QPushButton* BitBtn5 = nullptr;      // deletes the selected variation
    QToolButton* SpeedButton1 = nullptr; // moves the selected variation up
    QToolButton* SpeedButton2 = nullptr; // moves it down

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
