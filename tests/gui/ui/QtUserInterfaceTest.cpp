#include "gui/ui/QtUserInterface.h"

#include "GuiTestSupport.h"
#include "gui/ui/TProgressForm.h"

#include <QAbstractButton>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace qs::gui {
namespace {

TEST(QtUserInterface, LineBreaksAndCodePage)
{
    struct Case {
        std::string bytes;
        QString shown;
    };
    const std::vector<Case> cases = {
        {"a\r\nb", "a\nb"},
        {"a\n\rb", "a\nb"},
        {"a\rb", "a\nb"},
        {"a\nb", "a\nb"},
        {"\xC9"
         "clair \x80"
         "5",
         QString::fromUtf8("Éclair €5")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QtUserInterface::displayText(c.bytes), c.shown) << c.bytes;
}

TEST(QtUserInterface, OverlongNamesGetPlacesToBreak)
{
    const QString zwsp(QChar(0x200B));
    const std::string run60(60, 'W');
    EXPECT_EQ(QtUserInterface::wrappableText("delete " + run60 + " now"),
              QString::fromStdString("delete " + run60 + " now"));
    EXPECT_EQ(QtUserInterface::wrappableText(run60 + "WW\r\n" + run60),
              QString::fromStdString(run60) + zwsp + "WW\n" + QString::fromStdString(run60));
}

TEST(QtUserInterface, FiltersAreWrittenTheQtWay)
{
    struct Case {
        std::string filter;
        QString qt;
    };
    const std::vector<Case> cases = {
        {"Image Files (*.jpg;*.jpeg;*.gif)|*.jpg;*.jpeg;*.gif", "Image Files (*.jpg *.jpeg *.gif)"},
        {"HTML Files (*.htm;*.html)|*.htm;*.html", "HTML Files (*.htm *.html)"},
        {"Text|*.txt|All files|*.*", "Text (*.txt);;All files (*.*)"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QtUserInterface::qtFilter(c.filter), c.qt) << c.filter;
}

TEST(QtUserInterface, QuestionsReturnTheButtonChosen)
{
    QtUserInterface ui;
    struct Case {
        Buttons buttons;
        QMessageBox::StandardButton click; // NoButton: Escape
        Answer answer;
    };
    const std::vector<Case> cases = {
        {Buttons::YesNo, QMessageBox::Yes, Answer::Yes},
        {Buttons::YesNo, QMessageBox::No, Answer::No},
        {Buttons::YesNo, QMessageBox::NoButton, Answer::No},
        {Buttons::YesNoCancel, QMessageBox::Cancel, Answer::Cancel},
        {Buttons::YesNoCancel, QMessageBox::NoButton, Answer::Cancel},
        {Buttons::OkCancel, QMessageBox::Ok, Answer::Ok},
    };
    for (const Case& c : cases) {
        QString shownText;
        QString shownTitle;
        test::whenModalShows([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            shownText = box->text();
            shownTitle = box->windowTitle();
            if (c.click == QMessageBox::NoButton)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(c.click)->click();
        });
        EXPECT_EQ(ui.ask("Delete caf\xE9?\r\nReally?", MessageKind::Warning, c.buttons), c.answer);
        EXPECT_EQ(shownText, QString::fromUtf8("Delete café?\nReally?"));
        EXPECT_EQ(shownTitle, "Warning");
    }
}

TEST(QtUserInterface, MessagesAndInputBoxes)
{
    QtUserInterface ui;
    QString shown;
    test::whenModalShows([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        shown = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    ui.message("Quaystall DB v1.09", MessageKind::Information);
    EXPECT_EQ(shown, "Quaystall DB v1.09");

    test::whenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Enter the name of your shop");
        EXPECT_EQ(dialog->labelText(), "Enter name:");
        dialog->setTextValue(QString::fromUtf8("Café"));
        dialog->accept();
    });
    EXPECT_EQ(ui.inputText("Enter the name of your shop", "Enter name:", ""),
              std::optional<std::string>("Caf\xE9"));

    test::whenModalShows([&](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_EQ(ui.inputText("Enter the name of your shop", "Enter name:", "x"), std::nullopt);
}

TEST(QtUserInterface, AnInputBoxRefusesWhatTheCatalogueCannotHoldAndShowsItAgain)
{
    QtUserInterface ui;
    const QString unholdable = QString::fromUtf8("\xC5\x81\xC3\xB3\x64\xC5\xBA \xE2\x82\xAC"
                                                 "5"); // Łódź €5
    QString told;
    QString shownAgain;
    test::whenModalShows<QInputDialog>([&](QInputDialog* box) {
        box->setTextValue(unholdable);
        box->accept();
        test::whenModalShows<QMessageBox>([&](QMessageBox* message) {
            told = message->text();
            message->button(QMessageBox::Ok)->click();
            test::whenModalShows<QInputDialog>([&](QInputDialog* again) {
                shownAgain = again->textValue();
                again->setTextValue(QString::fromUtf8("Lodz \xE2\x82\xAC"
                                                      "5"));
                again->accept();
            });
        });
    });
    EXPECT_EQ(ui.inputText("New Zone", "Please enter a name for the new zone:-", ""),
              std::optional<std::string>("Lodz \x80"
                                         "5"));
    EXPECT_TRUE(told.startsWith("The character U+0141 (LATIN CAPITAL LETTER L WITH STROKE)"))
        << told.toStdString();
    EXPECT_EQ(shownAgain, unholdable);
}

TEST(QtUserInterface, TheProgressWindowIsShared)
{
    QWidget owner;
    QtUserInterface ui(&owner);
    Progress& first = ui.progress();
    EXPECT_EQ(&first, &ui.progress());
    EXPECT_NE(dynamic_cast<TProgressForm*>(&first), nullptr);
    QtUserInterface alone;
    EXPECT_NE(dynamic_cast<TProgressForm*>(&alone.progress()), nullptr);
}

} // namespace
} // namespace qs::gui
