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
    opens(a.paymentMethod, payMethodForm_);
    opens(a.postalCharges, postPackForm_);
    opens(a.vatInformation, vatForm_);
    opens(a.customerDetails, customDetailsForm_);
    opens(a.adminSecurity, adminPassForm_);
    opens(a.termsAndConditions, termConditionForm_);
    opens(a.catalogueNavigation, levelTextForm_);
    opens(a.onlineSearchFields, searchCFGForm_);
}

template <typename Dialog> void OptionsActions::opens(QAction* item, Dialog* dialog)
{
    connect(item, &QAction::triggered, this,
            [this, dialog] { form_.runCommand([dialog] { dialog->execute(); }); });
    connect(dialog, &OkCancelDialog::helpRequested, &form_.helpViewer(), &HelpViewer::showTopic);
}

} // namespace qs::gui
