#pragma once

#include <QObject>

class QAction;

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

class TAdminPassForm;
class TCMForm;
class TCustomDetailsForm;
class TLevelTextForm;
class TPayMethodForm;
class TPostPackForm;
class TSearchCFGForm;
class TTermConditionForm;
class TVATForm;

// The shop's trading options and its site appearance, as the Options and
// Site Appearance menus (and the Postage tool button) open them: payment,
// postage, VAT, customer details, administrator security, terms, catalogue
// navigation and search fields. It owns their dialogs, which live as long as
// the window.
class OptionsActions : public QObject {
    Q_OBJECT
public:
    OptionsActions(TCMForm& form, qs::AppState& app, qs::UserInterface& ui);

    TPayMethodForm& payMethodForm() const { return *payMethodForm_; }
    TPostPackForm& postPackForm() const { return *postPackForm_; }
    TVATForm& vatForm() const { return *vatForm_; }
    TCustomDetailsForm& customDetailsForm() const { return *customDetailsForm_; }
    TAdminPassForm& adminPassForm() const { return *adminPassForm_; }
    TTermConditionForm& termConditionForm() const { return *termConditionForm_; }
    TLevelTextForm& levelTextForm() const { return *levelTextForm_; }
    TSearchCFGForm& searchCFGForm() const { return *searchCFGForm_; }

private:
    void connectMenus();
    // The item shows the dialog as a command of the main window; its Help
    // opens the help window.
    template <typename Dialog> void opens(QAction* item, Dialog* dialog);

    TCMForm& form_;
    TPayMethodForm* payMethodForm_;
    TPostPackForm* postPackForm_;
    TVATForm* vatForm_;
    TCustomDetailsForm* customDetailsForm_;
    TAdminPassForm* adminPassForm_;
    TTermConditionForm* termConditionForm_;
    TLevelTextForm* levelTextForm_;
    TSearchCFGForm* searchCFGForm_;
};

} // namespace qs::gui
