#include "gui/app/HelpViewer.h"

#include "GuiTestSupport.h"
#include "ScriptedUserInterface.h"
#include "gui/app/ShopActions.h"
#include "gui/app/TCMForm.h"
#include "gui/settings/TLocationForm.h"
#include "gui/settings/TMercDetailsForm.h"
#include "core/app/AppState.h"
#include "core/app/Startup.h"
#include "TempFolder.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSet>
#include <QStringDecoder>
#include <QTest>
#include <QScreen>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

namespace qs::gui {
namespace {

namespace fs = std::filesystem;

// Every link and every anchor name of a document, as the help window reads it.
struct PageLinks {
    QSet<QString> hrefs;
    QSet<QString> anchors;
};

PageLinks linksOf(const QTextDocument& document)
{
    PageLinks links;
    for (QTextBlock block = document.begin(); block != document.end(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (!format.anchorHref().isEmpty())
                links.hrefs.insert(format.anchorHref());
            for (const QString& name : format.anchorNames())
                links.anchors.insert(name);
        }
    }
    return links;
}

// The help window on a fresh copy of the installation.
class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy(QUAYSTALL_SHARE_PROGRAM, folder.path(), fs::copy_options::recursive);
        state = std::make_unique<AppState>(folder.path().string());
        viewer = std::make_unique<HelpViewer>(*state);
    }

    QString helpFolder() const { return QString::fromStdString(folder.file("Help")); }
    QString shownFile() const { return QFileInfo(viewer->Browser->source().toLocalFile()).fileName(); }
    QString shownText() const { return viewer->Browser->toPlainText(); }

    qs::test::TempFolder folder;
    std::unique_ptr<AppState> state;
    std::unique_ptr<HelpViewer> viewer;
};

TEST_F(HelpViewerTest, EveryHelpTopicOfTheProgramOpensItsPage)
{
    const struct {
        int topic;
        QString title;
    } topics[] = {
        {TLocationForm::helpTopic, "Location Details"},
        {TMercDetailsForm::helpTopic, "Merchant Details"},
        {4, "Catalogue Navigation"},
        {10, "Preview and Preview Settings"},
        {19, "Payment Methods"},
        {32, "Admin Security"},
        {33, "VAT Details"},
    };
    for (const auto& expected : topics) {
        SCOPED_TRACE(expected.topic);
        viewer->showTopic(expected.topic);
        EXPECT_EQ(shownFile(), QStringLiteral("topic-%1.html").arg(expected.topic));
        EXPECT_EQ(viewer->Browser->documentTitle(), expected.title);
    }
}

TEST_F(HelpViewerTest, TheWindowFitsOnItsScreen)
{
    viewer->showContents();
    const QRect room = viewer->screen()->availableGeometry();
    EXPECT_LE(viewer->height(), room.height() - 60) << room.height();
    EXPECT_LE(viewer->width(), room.width() - 60) << room.width();
    EXPECT_GE(viewer->height(), 200) << "still a window to read in";
}

TEST_F(HelpViewerTest, TheContentsPageLeadsToEveryPage)
{
    viewer->showContents();
    QSet<QString> linked;
    for (const QString& href : linksOf(*viewer->Browser->document()).hrefs)
        linked.insert(QUrl(href).path());
    QStringList pages = QDir(helpFolder()).entryList({"*.html"}, QDir::Files);
    pages.removeOne("index.html");
    EXPECT_EQ(linked, QSet<QString>(pages.begin(), pages.end()));
}

TEST_F(HelpViewerTest, EveryLinkOfEveryPageFindsItsPageAndPlace)
{
    const QDir help(helpFolder());
    const QStringList pages = help.entryList({"*.html"}, QDir::Files);
    ASSERT_FALSE(pages.isEmpty());
    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        QFile file(help.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(bytes);
        EXPECT_FALSE(utf8.hasError()) << "not UTF-8";
        EXPECT_FALSE(text.contains("<script", Qt::CaseInsensitive));
        EXPECT_FALSE(text.contains("://")) << "the pages stand alone, without outside resources";

        viewer->Browser->setSource(QUrl::fromLocalFile(help.filePath(page)));
        EXPECT_FALSE(viewer->Browser->documentTitle().isEmpty());
        for (const QString& href : linksOf(*viewer->Browser->document()).hrefs) {
            SCOPED_TRACE(href.toStdString());
            const QUrl target = QUrl::fromLocalFile(help.filePath(page)).resolved(QUrl(href));
            ASSERT_TRUE(QFileInfo(target.toLocalFile()).isFile());
            if (!target.fragment().isEmpty()) {
                QTextDocument linkedPage;
                QFile linkedFile(target.toLocalFile());
                ASSERT_TRUE(linkedFile.open(QIODevice::ReadOnly));
                linkedPage.setHtml(QString::fromUtf8(linkedFile.readAll()));
                EXPECT_TRUE(linksOf(linkedPage).anchors.contains(target.fragment()));
            }
        }
    }
}

TEST_F(HelpViewerTest, EveryPageTakesItsLookFromTheSharedStyleSheet)
{
    const QDir help(helpFolder());
    for (const QString& page : help.entryList({"*.html"}, QDir::Files)) {
        SCOPED_TRACE(page.toStdString());
        viewer->Browser->setSource(QUrl::fromLocalFile(help.filePath(page)));
        const QTextDocument& document = *viewer->Browser->document();
        QTextBlock heading = document.begin();
        while (heading.isValid() && heading.blockFormat().headingLevel() != 1)
            heading = heading.next();
        ASSERT_TRUE(heading.isValid()) << "a page has a main heading";
        EXPECT_EQ(heading.charFormat().foreground().color(), QColor("#1f4e79"));
    }
}

TEST_F(HelpViewerTest, BackAndForwardRetraceTheLinksFollowed)
{
    viewer->showContents();
    EXPECT_FALSE(viewer->BackBtn->isEnabled());
    emit viewer->Browser->anchorClicked(QUrl("topic-1.html"));
    EXPECT_EQ(shownFile(), QString("topic-1.html"));
    ASSERT_TRUE(viewer->BackBtn->isEnabled());

    viewer->BackBtn->click();
    EXPECT_EQ(shownFile(), QString("index.html"));
    ASSERT_TRUE(viewer->ForwardBtn->isEnabled());
    viewer->ForwardBtn->click();
    EXPECT_EQ(shownFile(), QString("topic-1.html"));
    EXPECT_FALSE(viewer->ForwardBtn->isEnabled());

    viewer->ContentsBtn->click();
    EXPECT_EQ(shownFile(), QString("index.html"));
}

TEST_F(HelpViewerTest, MissingHelpIsToldInTheWindow)
{
    const QString native = QDir::toNativeSeparators(helpFolder());
    const struct {
        const char* name;
        std::function<void()> prepare;
        std::function<void()> ask;
        QString message;
    } cases[] = {
        {"a topic without a page", [] {}, [this] { viewer->showTopic(99); },
         "The help page topic-99.html is not installed in " + native + "."},
        {"a link to a missing page", [this] { viewer->showContents(); },
         [this] { emit viewer->Browser->anchorClicked(QUrl("gone.html")); },
         "The help page gone.html is not installed in " + native + "."},
        {"no help folder, contents", [this] { fs::remove_all(folder.file("Help")); },
         [this] { viewer->showContents(); }, "The help pages are not installed in " + native + "."},
    };
    for (const auto& missing : cases) {
        SCOPED_TRACE(missing.name);
        missing.prepare();
        missing.ask();
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_TRUE(shownText().contains(missing.message)) << shownText().toStdString();
    }
}

// The menus and the dialogs' Help buttons, in the desktop program on a fresh copy of the installation.
class HelpViewerWiringTest : public HelpViewerTest {
protected:
    void SetUp() override
    {
        HelpViewerTest::SetUp();
        form = std::make_unique<TCMForm>(*state, &ui);
        actions = std::make_unique<ShopActions>(*form, *state, ui);
        ASSERT_TRUE(StartUp(*state, ui));
    }

    void TearDown() override
    {
        actions.reset();
        form.reset();
    }

    HelpViewer& help() const { return form->helpViewer(); }
    QString helpFile() const { return QFileInfo(help().Browser->source().toLocalFile()).fileName(); }

    qs::test::ScriptedUserInterface ui;
    std::unique_ptr<TCMForm> form;
    std::unique_ptr<ShopActions> actions;
};

TEST_F(HelpViewerWiringTest, BothContentsItemsShowTheOneHelpWindow)
{
    for (QAction* contents : {form->actions().noShopContents, form->actions().contents}) {
        SCOPED_TRACE(contents->objectName().toStdString());
        help().showTopic(TMercDetailsForm::helpTopic);
        help().close();
        contents->trigger();
        EXPECT_TRUE(help().isVisible());
        EXPECT_EQ(help().windowTitle(), QString("Quaystall DB Help"));
        EXPECT_EQ(helpFile(), QString("index.html"));
        EXPECT_EQ(help().Browser->documentTitle(), QString("Quaystall DB Help"));
    }
}

TEST_F(HelpViewerWiringTest, AHelpButtonShowsItsTopicBesideTheWaitingDialog)
{
    ui.inputs = {std::string("Demo-1")};
    form->actions().newShop->trigger();
    ASSERT_TRUE(form->isShopOpen());

    const struct {
        const char* dialog;
        QPushButton* helpButton;
        QPushButton* cancelButton;
        QAction* item;
        QString page;
    } dialogs[] = {
        {"Location Details", actions->locationForm().HelpBtn, actions->locationForm().CancelBtn,
         form->actions().locationDetails, "topic-1.html"},
        {"Merchant Details", actions->mercDetailsForm().HelpBtn, actions->mercDetailsForm().CancelBtn,
         form->actions().merchantDetails, "topic-3.html"},
    };
    for (const auto& dialog : dialogs) {
        SCOPED_TRACE(dialog.dialog);
        help().close();
        test::whenModalShows([&](QWidget*) {
            dialog.helpButton->click();
            EXPECT_TRUE(help().isVisible());
            EXPECT_EQ(helpFile(), dialog.page);
            // The help can be used while the dialog still waits for its answer.
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&help()));
            // Clicked through the window, where a blocked window drops the click.
            const QPoint contents = help().ContentsBtn->mapTo(&help(), help().ContentsBtn->rect().center());
            QTest::mouseClick(help().windowHandle(), Qt::LeftButton, {}, contents);
            EXPECT_EQ(helpFile(), QString("index.html"));
            dialog.cancelButton->click();
        });
        dialog.item->trigger();
    }
}

} // namespace
} // namespace qs::gui
