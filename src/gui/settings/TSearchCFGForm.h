#pragma once

#include "core/settings/SearchFields.h"

#include "gui/ui/OkCancelDialog.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

// "Online Search Configuration": the product fields the shop's online search
// looks in besides the product name, their order and their labels.
class TSearchCFGForm : public OkCancelDialog {
    Q_OBJECT
public:
    TSearchCFGForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent = nullptr);

    // Fills the lists from the field definitions and the shop settings list
    // and shows the dialog. True when it closed with OK; false also when the
    // stored fields could not be read (told).
    bool execute();

    QListWidget* ListBox1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* AddBtn = nullptr;
    QPushButton* DeleteBtn = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* ChangeBtn = nullptr;

private:
    void showChosen(int selected);
    void showLabel();
    void add();
    void remove();
    void change();
    void move(int step);
    void confirm() override;

    qs::AppState& state_;
    qs::UserInterface& ui_;
    qs::SearchFields search_;
};

} // namespace qs::gui
