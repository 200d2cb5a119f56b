#pragma once

#include "core/app/ShopChooser.h"

#include "gui/ui/OkCancelDialog.h"

#include <string>

class QLabel;
class QListWidget;
class QPushButton;

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

// "Open a Shop..." and "Delete a Shop...": the shops of the registry to pick
// from, and (when opening) "&New Shop". Closing with OK leaves the chosen or
// created shop in ShopName; the caller opens or deletes it.
class TOpenShopForm : public OkCancelDialog {
    Q_OBJECT
public:
    TOpenShopForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent = nullptr);

    void setMode(ShopChooser::Mode mode);
    // The shop listed first when opening: the last one opened.
    void offerFirst(std::string name) { offeredFirst_ = std::move(name); }
    // Lists the shops afresh and shows the dialog. True when it closed with OK.
    bool execute();

    QLabel* PromptLabel = nullptr;
    QListWidget* ShopsBox = nullptr;
    QPushButton* NewShopBtn = nullptr;

private:
    void fillList();
    void confirm() override;
    void newShop();

    qs::AppState& state_;
    qs::UserInterface& ui_;
    ShopChooser chooser_;
    std::string offeredFirst_;
};

} // namespace qs::gui
