#include "gui/settings/OptionsActions.h"

#include "gui/app/HelpViewer.h"
#include "gui/app/TCMForm.h"
#include "ShopOptionsTest.h"
#include "gui/settings/TAdminPassForm.h"
#include "gui/settings/TCustomDetailsForm.h"
#include "gui/settings/TLevelTextForm.h"
#include "gui/settings/TPayMethodForm.h"
#include "gui/settings/TPostPackForm.h"
#include "gui/settings/TSearchCFGForm.h"
#include "gui/settings/TTermConditionForm.h"
#include "gui/settings/TVATForm.h"

#include <QAction>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolButton>

#include <filesystem>

namespace qs::gui {
namespace {

class OptionsActionsTest : public test::ShopOptionsTest {
protected:
    OptionsActionsTest()
    {
        writeData("area.txt", "UK=1,1\r\n");
        writeData("shop.tax", "Y=17.5\tStandard\r\n");
    }

    // Runs the command and tells which dialog it opened.
    QWidget* opened(const std::function<void()>& command)
    {
        QWidget* shown = nullptr;
        test::whenModalShows([&shown](QWidget* modal) {
            shown = modal;
            modal->close();
        });
        command();
        return shown;
    }

    TCMForm form{state, &ui};
    OptionsActions actions{form, state, ui};
};

TEST_F(OptionsActionsTest, EveryItemOpensItsDialog)
{
    const TCMForm::Actions& a = form.actions();
    const std::pair<QAction*, QWidget*> items[] = {{a.paymentMethod, &actions.payMethodForm()},
                                                   {a.postalCharges, &actions.postPackForm()},
                                                   {a.vatInformation, &actions.vatForm()},
                                                   {a.customerDetails, &actions.customDetailsForm()},
                                                   {a.adminSecurity, &actions.adminPassForm()},
                                                   {a.termsAndConditions, &actions.termConditionForm()},
                                                   {a.catalogueNavigation, &actions.levelTextForm()},
                                                   {a.onlineSearchFields, &actions.searchCFGForm()}};
    for (const auto& [item, dialog] : items)
        EXPECT_EQ(opened([item] { item->trigger(); }), dialog) << item->text().toStdString();
    EXPECT_EQ(opened([this] { form.PostPackBtn->click(); }), &actions.postPackForm());
}

TEST_F(OptionsActionsTest, HelpButtonsOpenTheirTopics)
{
    std::filesystem::copy(QUAYSTALL_SHARE_PROGRAM "/Help", folder.file("Help"));
    const std::pair<QPushButton*, const char*> buttons[] = {
        {actions.payMethodForm().HelpBtn, "topic-19.html"},
        {actions.vatForm().HelpBtn, "topic-33.html"},
        {actions.adminPassForm().HelpBtn, "topic-32.html"},
        {actions.levelTextForm().HelpBtn, "topic-4.html"}};
    for (const auto& [button, page] : buttons) {
        button->click();
        EXPECT_TRUE(form.helpViewer().Browser->source().toString().endsWith(page)) << page;
    }
}

} // namespace
} // namespace qs::gui
