#pragma once

#include "gui/ui/OkCancelDialog.h"

class QLineEdit;

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

// "Remote Shop Management Security": the user ID and password with which
// administrators update the shop online, kept in admin.pass.
class TAdminPassForm : public OkCancelDialog {
    Q_OBJECT
public:
    TAdminPassForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent = nullptr);

    // Reads the open shop's admin.pass and shows the dialog. True when it
    // closed with OK, the file then written.
    bool execute();

    static constexpr int helpTopic = 32;

    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;

private:
    void confirm() override;

    qs::AppState& state_;
    qs::UserInterface& ui_;
};

} // namespace qs::gui
