#include "gui/settings/OptionsActions.h"

#include "gui/app/HelpViewer.h"
#include "gui/app/TCMForm.h"
#include "gui/settings/TAdminPassForm.h"
#include "gui/settings/TCustomDetailsForm.h"
#include "gui/settings/TLevelTextForm.h"
#include "gui/settings/TPayMethodForm.h"
#include "gui/settings/TPostPackForm.h"
#include "gui/settings/TSearchCFGForm.h"
#include "gui/settings/TTermConditionForm.h"
#include "gui/settings/TVATForm.h"

#include <QAction>

namespace qs::gui {

OptionsActions::OptionsActions(TCMForm& form, qs::AppState& app, qs::UserInterface& ui)
    : QObject(&form), form_(form), payMethodForm_(new TPayMethodForm(app, ui, &form)),
      postPackForm_(new TPostPackForm(app, ui, &form)), vatForm_(new TVATForm(app, ui, &form)),
      customDetailsForm_(new TCustomDetailsForm(app, ui, &form)),
      adminPassForm_(new TAdminPassForm(app, ui, &form)),
      termConditionForm_(new TTermConditionForm(app, ui, &form)),
      levelTextForm_(new TLevelTextForm(app, ui, &form)), searchCFGForm_(new TSearchCFGForm(app, ui, &form))
{
    connectMenus();
}

void OptionsActions::connectMenus()
{
    const TCMForm::Actions& a = form_.actions();
    connect(a.paymentMethod, &QAction::triggered, this, &OptionsActions::paymentMethod);
    connect(a.postalCharges, &QAction::triggered, this, &OptionsActions::postalCharges);
    connect(a.vatInformation, &QAction::triggered, this, &OptionsActions::vatInformation);
    connect(a.customerDetails, &QAction::triggered, this, &OptionsActions::customerDetails);
    connect(a.adminSecurity, &QAction::triggered, this, &OptionsActions::adminSecurity);
    connect(a.termsAndConditions, &QAction::triggered, this, &OptionsActions::termsAndConditions);
    connect(a.catalogueNavigation, &QAction::triggered, this, &OptionsActions::catalogueNavigation);
    connect(a.onlineSearchFields, &QAction::triggered, this, &OptionsActions::onlineSearchFields);
    HelpViewer* help = &form_.helpViewer();
    connect(payMethodForm_, &TPayMethodForm::helpRequested, help, &HelpViewer::showTopic);
    connect(vatForm_, &TVATForm::helpRequested, help, &HelpViewer::showTopic);
    connect(adminPassForm_, &TAdminPassForm::helpRequested, help, &HelpViewer::showTopic);
    connect(levelTextForm_, &TLevelTextForm::helpRequested, help, &HelpViewer::showTopic);
}

void OptionsActions::paymentMethod()
{
    form_.runCommand([this] { payMethodForm_->execute(); });
}

void OptionsActions::postalCharges()
{
    form_.runCommand([this] { postPackForm_->execute(); });
}

void OptionsActions::vatInformation()
{
    form_.runCommand([this] { vatForm_->execute(); });
}

void OptionsActions::customerDetails()
{
    form_.runCommand([this] { customDetailsForm_->execute(); });
}

void OptionsActions::adminSecurity()
{
    form_.runCommand([this] { adminPassForm_->execute(); });
}

void OptionsActions::termsAndConditions()
{
    form_.runCommand([this] { termConditionForm_->execute(); });
}

void OptionsActions::catalogueNavigation()
{
    form_.runCommand([this] { levelTextForm_->execute(); });
}

void OptionsActions::onlineSearchFields()
{
    form_.runCommand([this] { searchCFGForm_->execute(); });
}

} // namespace qs::gui
