#include "gui/app/ShopActions.h"

#include "gui/app/HelpViewer.h"
#include "gui/app/TCMForm.h"
#include "gui/settings/TLocationForm.h"
#include "gui/settings/TMercDetailsForm.h"
#include "gui/app/TOpenShopForm.h"
#include "core/app/AppState.h"
#include "core/app/LocationRequired.h"
#include "core/app/ShopWorkspace.h"
#include "core/app/Startup.h"
#include "core/catalogue/CatalogueFile.h"
#include "gui/catalogue/grids/CatalogueGrids.h"
#include "core/ui/UserInterface.h"

#include <QAction>

#include <string>

namespace qs::gui {

ShopActions::ShopActions(TCMForm& form, qs::AppState& app, qs::UserInterface& ui)
    : QObject(&form), form_(form), app_(app), ui_(ui), locationForm_(new TLocationForm(app, ui, &form)),
      mercDetailsForm_(new TMercDetailsForm(app, ui, {}, &form)),
      openShopForm_(new TOpenShopForm(app, ui, &form))
{
    qs::CatalogueCommands& commands = form_.commands();
    commands.saveCatalogue = [this] { return SaveCatalogueCommand(app_, ui_); };
    commands.writeProgramLocation = [this] { ShutDown(app_); };
    connectMenus();
}

void ShopActions::connectMenus()
{
    const TCMForm::Actions& a = form_.actions();
    connect(a.openShop, &QAction::triggered, this, &ShopActions::openShop);
    connect(a.newShop, &QAction::triggered, this, &ShopActions::newShop);
    connect(a.deleteShop, &QAction::triggered, this, &ShopActions::deleteShop);
    connect(a.closeShop, &QAction::triggered, this, &ShopActions::closeShop);
    connect(a.save, &QAction::triggered, this, &ShopActions::save);
    connect(a.locationDetails, &QAction::triggered, this, &ShopActions::locationDetails);
    connect(a.noShopLocationDetails, &QAction::triggered, this, &ShopActions::locationDetails);
    connect(a.merchantDetails, &QAction::triggered, this, &ShopActions::merchantDetails);
    connect(&form_, &TCMForm::firstActivated, this, &ShopActions::openShop);
    HelpViewer* help = &form_.helpViewer();
    connect(locationForm_, &TLocationForm::helpRequested, help, &HelpViewer::showTopic);
    connect(mercDetailsForm_, &TMercDetailsForm::helpRequested, help, &HelpViewer::showTopic);
}

void ShopActions::runShopCommand(const std::function<void()>& command)
{
    form_.runCommand([&] {
        try {
            command();
        } catch (const LocationNotSet& refusal) {
            offerLocationDetails(refusal.what());
        }
    });
}

void ShopActions::offerLocationDetails(std::string_view refusal)
{
    const std::string question = std::string(refusal) + "\r\n\r\nOpen Location Details now?";
    if (ui_.ask(question, MessageKind::Warning, Buttons::YesNo) == Answer::Yes)
        locationForm_->execute();
}

void ShopActions::openShop()
{
    // The first activation may come while the dialog is already up.
    if (form_.isShopOpen() || openShopForm_->isVisible())
        return;
    runShopCommand([this] {
        requireLocalCGI(app_);
        openShopForm_->setMode(ShopChooser::Mode::Open);
        if (openShopForm_->execute() && OpenChosenShop(app_, form_.editorState(), ui_))
            form_.setShopOpen(true);
    });
}

void ShopActions::newShop()
{
    runShopCommand([this] {
        if (NewShopCommand(app_, form_.editorState(), ui_))
            form_.setShopOpen(true);
    });
}

void ShopActions::deleteShop()
{
    form_.runCommand([this] {
        openShopForm_->setMode(ShopChooser::Mode::Delete);
        if (openShopForm_->execute())
            DeleteShop(app_, ui_);
    });
}

void ShopActions::closeShop()
{
    form_.grids().commitTyping();
    runShopCommand([this] {
        if (CloseShop(app_, form_.editorState(), ui_, form_.commands().saveCatalogue))
            form_.setShopOpen(false);
    });
}

void ShopActions::save()
{
    form_.grids().commitTyping();
    runShopCommand([this] { SaveCatalogueCommand(app_, ui_); });
}

void ShopActions::locationDetails()
{
    form_.runCommand([this] { locationForm_->execute(); });
}

void ShopActions::merchantDetails()
{
    form_.runCommand([this] { mercDetailsForm_->execute(); });
}

} // namespace qs::gui
