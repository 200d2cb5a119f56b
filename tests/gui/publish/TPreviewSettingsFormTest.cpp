#include "gui/publish/TPreviewSettingsForm.h"

#include "ScriptedUserInterface.h"
#include "core/app/AppState.h"
#include "TempFolder.h"
#include "GuiTestSupport.h"
#include "core/publish/PreviewSettings.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <filesystem>

namespace qs::gui {
namespace {

class TPreviewSettingsFormTest : public ::testing::Test {
protected:
    TPreviewSettingsFormTest() : state(folder.path().string()), form(state, ui, settings)
    {
        state.ShopName = "myshop";
        state.BrowserPath = "/usr/bin/old";
    }

    bool show(const std::function<void()>& act)
    {
        test::whenModalShows(form, act);
        return form.execute();
    }

    qs::test::TempFolder folder;
    qs::AppState state;
    qs::test::ScriptedUserInterface ui;
    qs::PreviewSettings settings;
    TPreviewSettingsForm form;
};

TEST_F(TPreviewSettingsFormTest, ShowsTheNoteAndTakesTheBrowserAndAddressOnOK)
{
    EXPECT_EQ(form.windowTitle(), "Preview Settings...");
    EXPECT_EQ(form.BrowseBtn->text(), "&Browse...");
    QSignalSpy help(&form, &TPreviewSettingsForm::helpRequested);
    form.HelpBtn->click();
    EXPECT_EQ(help.at(0).at(0).toInt(), 10);

    EXPECT_TRUE(show([&] {
        EXPECT_EQ(form.BrowserEdit->text(), "/usr/bin/old");
        EXPECT_EQ(form.AddressEdit->text(), "http://localhost:8080");
        EXPECT_EQ(form.AddressPathLabel->text(), "/cgi-bin/qstldb/myshop-cgi/Catalogue.pl");
        form.AddressEdit->setText("http://localhost:8080/cgi-bin/qstldb");
        form.OKBtn->click();
        EXPECT_TRUE(form.isVisible());
        ui.files = {std::string("/opt/browser")};
        form.BrowseBtn->click();
        form.AddressEdit->setText("http://127.0.0.1:9090");
        form.OKBtn->click();
    }));
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{std::string(proxyNote), std::string(badAddressMessage)}));
    EXPECT_EQ(state.BrowserPath, "/opt/browser");
    EXPECT_EQ(settings.previewAddress, "http://127.0.0.1:9090");

    EXPECT_FALSE(show([&] {
        form.BrowserEdit->setText("/typed");
        form.CancelBtn->click();
    }));
    EXPECT_EQ(state.BrowserPath, "/opt/browser");
}

TEST_F(TPreviewSettingsFormTest, EachSuggestionTestsItsBrowsersDebianPath)
{
    const struct {
        QString caption;
        std::string path;
    } suggestions[] = {{"Mozilla\n&Firefox", "/usr/bin/firefox-esr"},
                       {"Chromium\n&Web Browser", "/usr/bin/chromium"}};
    ASSERT_EQ(form.SuggestionBtns.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const auto& suggestion = suggestions[i];
        EXPECT_EQ(form.SuggestionBtns[i]->text(), suggestion.caption);
        form.BrowserEdit->setText("/before");
        ui.said.clear();
        form.SuggestionBtns[i]->click();
        if (std::filesystem::exists(suggestion.path))
            EXPECT_EQ(form.BrowserEdit->text().toStdString(), suggestion.path);
        else
            EXPECT_TRUE(form.BrowserEdit->text() == "/before" && ui.texts().size() == 1 &&
                        ui.texts()[0].find("The file " + suggestion.path + " does not") != std::string::npos)
                << suggestion.path;
    }
}

} // namespace
} // namespace qs::gui
