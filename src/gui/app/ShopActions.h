#pragma once

#include <QObject>

#include <functional>
#include <string_view>

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

class TCMForm;
class TLocationForm;
class TMercDetailsForm;
class TOpenShopForm;

// The shop commands of the main window's menus: open, create, close and
// delete shops, save the catalogue, and the dialogs that go with them. It
// owns those dialogs, which live as long as the window.
class ShopActions : public QObject {
    Q_OBJECT
public:
    ShopActions(TCMForm& form, qs::AppState& app, qs::UserInterface& ui);

    void openShop();
    void newShop();
    void deleteShop();
    void closeShop();
    void save();
    void locationDetails();
    void merchantDetails();

    TOpenShopForm& openShopForm() const { return *openShopForm_; }
    TLocationForm& locationForm() const { return *locationForm_; }
    TMercDetailsForm& mercDetailsForm() const { return *mercDetailsForm_; }

private:
    void connectMenus();
    // Runs a shop command; one refused for want of a local CGI folder offers
    // Location Details.
    void runShopCommand(const std::function<void()>& command);
    void offerLocationDetails(std::string_view refusal);

    TCMForm& form_;
    qs::AppState& app_;
    qs::UserInterface& ui_;
    TLocationForm* locationForm_;
    TMercDetailsForm* mercDetailsForm_;
    TOpenShopForm* openShopForm_;
};

} // namespace qs::gui
