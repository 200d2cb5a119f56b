#include "DemoShop.h"
#include "GuiTestSupport.h"
#include "core/publish/PreviewSettings.h"
#include "gui/app/TCMForm.h"
#include "gui/app/TOpenShopForm.h"
#include "gui/catalogue/TInspectorForm.h"
#include "gui/catalogue/TMemoTextForm.h"
#include "gui/catalogue/TProdSearchForm.h"
#include "gui/import/TColumnAssignedForm.h"
#include "gui/import/TEmptyCellDlg.h"
#include "gui/import/TImportForm.h"
#include "gui/import/TTableErrorForm.h"
#include "gui/publish/TOrdersForm.h"
#include "gui/publish/TPreviewSettingsForm.h"
#include "gui/publish/TUploadSettingsForm.h"
#include "gui/publish/UploadPasswords.h"
#include "gui/settings/TAdminPassForm.h"
#include "gui/settings/TCustomDetailsForm.h"
#include "gui/settings/TLevelTextForm.h"
#include "gui/settings/TLocationForm.h"
#include "gui/settings/TMercDetailsForm.h"
#include "gui/settings/TPayMethodForm.h"
#include "gui/settings/TPostPackForm.h"
#include "gui/settings/TSearchCFGForm.h"
#include "gui/settings/TTermConditionForm.h"
#include "gui/settings/TVATCodeModForm.h"
#include "gui/settings/TVATCountryForm.h"
#include "gui/settings/TVATForm.h"
#include "gui/settings/TVaryForm.h"
#include "gui/ui/OkCancelDialog.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

// Every window worked from the keyboard: each control reached by an Alt
// letter of its own, each letter leading to a control that takes the focus,
// F1 opening the window's help. Letters are unique among what shows at once:
// the pages of tabs (and of stacked panels) may use a letter again, as only
// the page shown answers its letters. Lists and grids are reached by Tab.

namespace qs::gui {
namespace {

class NoKeyring : public UploadPasswords {
public:
    std::optional<std::string> read(const std::string&) override { return std::nullopt; }
    bool store(const std::string&, const std::string&, std::string&) override { return false; }
    void forget(const std::string&) override {}
};

// The letter after a single "&"; none when the text has none.
QChar mnemonic(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return text[i + 1].toLower();
        ++i;
    }
    return {};
}

QString named(const QWidget* widget, const QString& text = {})
{
    const QString what = widget->metaObject()->className();
    const QString name = widget->objectName().isEmpty() ? text : widget->objectName();
    return what + " " + (name.isEmpty() ? QStringLiteral("(unnamed)") : name);
}

// Parts of a compound control, not controls of their own.
bool isPartOfControl(const QWidget* widget)
{
    for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget())
        if (qobject_cast<const QAbstractSpinBox*>(up) || qobject_cast<const QComboBox*>(up) ||
            qobject_cast<const QTabBar*>(up) || qobject_cast<const QAbstractItemView*>(up) ||
            // A tool bar repeats items of the window's menus.
            up->inherits("QToolBar") ||
            up->inherits("QCalendarWidget"))
            return true;
    return false;
}

bool isField(const QWidget* widget)
{
    if (const auto* text = qobject_cast<const QTextEdit*>(widget))
        return !text->isReadOnly();
    if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        return !line->isReadOnly();
    return qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget);
}

// The page of a tab or stack the widget is on, or none.
const QWidget* pageOf(const QWidget* widget)
{
    for (const QWidget* up = widget; up && up->parentWidget(); up = up->parentWidget())
        if (qobject_cast<const QStackedWidget*>(up->parentWidget()))
            return up;
    return nullptr;
}

// Whether two places can show at once: one holds the other, or they are one.
bool showTogether(const QWidget* a, const QWidget* b)
{
    const auto holds = [](const QWidget* outer, const QWidget* inner) {
        for (; inner; inner = pageOf(inner->parentWidget()))
            if (inner == outer)
                return true;
        return outer == nullptr;
    };
    return holds(a, b) || holds(b, a);
}

// What keeps the window from being worked by the keyboard, one line each.
class KeyboardFaults {
public:
    explicit KeyboardFaults(QString window) : window_(std::move(window)) {}

    void use(QChar letter, const QString& by, const QWidget* where = nullptr)
    {
        const QWidget* page = where ? pageOf(where) : nullptr;
        for (const Use& other : used_)
            if (other.letter == letter && showTogether(other.page, page))
                fault("letter '" + QString(letter) + "' of both " + other.by + " and " + by);
        used_.push_back({letter, by, page});
    }
    void fault(const QString& what) { faults_.push_back(window_ + ": " + what); }

    void checkMenus(const QList<QMenu*>& menus)
    {
        KeyboardFaults titles(window_ + " menu bar");
        for (const QMenu* menu : menus) {
            // A context menu has no title to show.
            if (!menu->title().isEmpty())
                checkText(titles, menu->title(), "menu " + menu->title());
            KeyboardFaults items(window_ + " menu " + menu->title());
            for (const QAction* action : menu->actions())
                if (!action->isSeparator())
                    checkText(items, action->text(), "item " + action->text());
            take(items);
        }
        take(titles);
    }

    void checkControls(QWidget& window)
    {
        std::map<const QWidget*, QString> labelled;
        // The dialogs a window opens are windows of their own.
        const auto inWindow = [&](const QWidget* widget) { return widget->window() == &window; };
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            const QChar letter = mnemonic(label->text());
            if (letter.isNull() || !inWindow(label))
                continue;
            use(letter, "label " + label->text(), label);
            if (!label->buddy())
                fault("label " + label->text() + " has no field to lead to");
            else if (label->buddy()->focusPolicy() == Qt::NoFocus)
                fault("label " + label->text() + " leads to " + named(label->buddy()) + ", which takes no focus");
            else
                labelled[label->buddy()] = label->text();
        }
        for (QWidget* widget : window.findChildren<QWidget*>()) {
            if (isPartOfControl(widget) || !inWindow(widget))
                continue;
            if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
                if (!qobject_cast<const QToolButton*>(button) || !button->text().isEmpty())
                    checkText(*this, button->text(), named(button, button->text()), button);
            } else if (const auto* group = qobject_cast<const QGroupBox*>(widget); group && group->isCheckable()) {
                checkText(*this, group->title(), named(group, group->title()), group);
            } else if (const auto* tabs = qobject_cast<const QTabWidget*>(widget)) {
                for (int i = 0; i < tabs->count(); ++i)
                    checkText(*this, tabs->tabText(i), "tab " + tabs->tabText(i), tabs);
            } else if (isField(widget) && !labelled.contains(widget)) {
                fault(named(widget) + " has no label with a letter leading to it");
            }
        }
    }

    void take(const KeyboardFaults& other) { faults_.append(other.faults_); }
    const QStringList& faults() const { return faults_; }

private:
    static void checkText(KeyboardFaults& in, const QString& text, const QString& what,
                          const QWidget* where = nullptr)
    {
        const QChar letter = mnemonic(text);
        if (letter.isNull())
            in.fault(what + " has no letter");
        else
            in.use(letter, what, where);
    }

    struct Use {
        QChar letter;
        QString by;
        const QWidget* page;
    };
    QString window_;
    std::vector<Use> used_;
    QStringList faults_;
};

class KeyboardReachTest : public ::testing::Test, protected qs::test::DemoShop {
protected:
    NoKeyring keyring;
    PreviewSettings preview;
};

TEST_F(KeyboardReachTest, EveryControlOfEveryWindowHasALetterOfItsOwnAndEveryHelpButtonAnF1)
{
    const std::vector<std::pair<const char*, std::function<QWidget*()>>> windows = {
        {"Open Shop", [&] { return new TOpenShopForm(state, ui); }},
        {"Orders", [&] { return new TOrdersForm(state, ui); }},
        {"Upload Settings", [&] { return new TUploadSettingsForm(state, ui, keyring); }},
        {"Preview Settings", [&] { return new TPreviewSettingsForm(state, ui, preview); }},
        {"Customer Details", [&] { return new TCustomDetailsForm(state, ui); }},
        {"Online Search Fields", [&] { return new TSearchCFGForm(state, ui); }},
        {"Custom Fields", [&] { return new TVaryForm(state, ui); }},
        {"Location Details", [&] { return new TLocationForm(state, ui); }},
        {"Postage and Packing", [&] { return new TPostPackForm(state, ui); }},
        {"VAT Information", [&] { return new TVATForm(state, ui); }},
        {"Admin Security", [&] { return new TAdminPassForm(state, ui); }},
        {"Payment Method", [&] { return new TPayMethodForm(state, ui); }},
        {"Terms and Conditions", [&] { return new TTermConditionForm(state, ui); }},
        {"VAT Code", [&] { return new TVATCodeModForm(ui); }},
        {"Catalogue Navigation", [&] { return new TLevelTextForm(state, ui); }},
        {"Merchant Details", [&] { return new TMercDetailsForm(state, ui); }},
        {"VAT Countries", [&] { return new TVATCountryForm(state, ui); }},
        {"Import", [&] { return new TImportForm(state, &ui); }},
        {"Empty Cell", [&] { return new TEmptyCellDlg; }},
        {"Table Errors", [&] { return new TTableErrorForm; }},
        {"Column Assigned", [&] { return new TColumnAssignedForm; }},
        {"Search Catalogue", [&] { return new TProdSearchForm(state.catalogue, ui); }},
        {"Memo Text", [&] { return new TMemoTextForm(ui); }},
        {"Inspector", [&] { return new TInspectorForm(state.InfoList, ui); }},
    };
    QStringList faults;
    for (const auto& [name, make] : windows) {
        const std::unique_ptr<QWidget> window(make());
        KeyboardFaults found(name);
        found.checkControls(*window);
        faults.append(found.faults());
        if (auto* dialog = qobject_cast<OkCancelDialog*>(window.get()); dialog && dialog->HelpBtn) {
            QSignalSpy help(dialog, &OkCancelDialog::helpRequested);
            QTest::keyClick(dialog, Qt::Key_F1);
            if (help.count() != 1)
                faults.append(QString(name) + ": F1 opens no help");
        }
    }
    TCMForm main(state, &ui);
    KeyboardFaults menus("Main window");
    menus.checkMenus(main.noCatMenu());
    menus.checkMenus(main.mainMenu());
    menus.checkMenus({main.categoryMenu()});
    faults.append(menus.faults());
    for (const QAction* contents : {main.actions().contents, main.actions().noShopContents})
        if (contents->shortcut() != QKeySequence(QKeySequence::HelpContents))
            faults.append("Main window: F1 opens no help");
    EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
}

} // namespace
} // namespace qs::gui
