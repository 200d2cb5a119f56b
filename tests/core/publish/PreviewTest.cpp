#include "core/publish/Preview.h"
#include "Loopback.h"
#include "ScriptedUserInterface.h"
#include "core/app/AppState.h"
#include "TempFolder.h"
#include "core/publish/LocalWebServer.h"
#include "core/publish/PreviewAddress.h"
#include "core/publish/PreviewSettings.h"
#include "core/publish/PreviewSettingsEdits.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

namespace fs = std::filesystem;
using test::ScriptedUserInterface;
using test::TempFolder;

TEST(PreviewAddressTest, AcceptsAServerAddressAndKnowsWhichOnesAreServedHere)
{
    struct Case {
        std::string_view text;
        bool valid;
        std::string_view host;
        int port;
        bool servedHere;
    };
    const Case cases[] = {
        {"http://localhost:8080", true, "localhost", 8080, true},
        {"HTTP://LocalHost:8081/", true, "LocalHost", 8081, true},
        {"http://127.0.0.1", true, "127.0.0.1", 80, true},
        {"https://localhost:8443", true, "localhost", 8443, false},
        {"http://shop.example:8080", true, "shop.example", 8080, false},
        {"http://[::1]:8080", true, "[::1]", 8080, false},
        {"localhost:8080", false, "", 0, false},
        {"ftp://localhost", false, "", 0, false},
        {"http://", false, "", 0, false},
        {"http://localhost:0", false, "", 0, false},
        {"http://localhost:65536", false, "", 0, false},
        {"http://localhost:80a", false, "", 0, false},
        {"http://localhost:8080/cgi-bin", false, "", 0, false},
        {"http://local host", false, "", 0, false},
    };
    for (const Case& c : cases) {
        const auto address = PreviewAddress::parse(c.text);
        ASSERT_EQ(address.has_value(), c.valid) << c.text;
        if (!address)
            continue;
        EXPECT_EQ(address->host, c.host) << c.text;
        EXPECT_EQ(address->port, c.port) << c.text;
        EXPECT_EQ(address->servedHere(), c.servedHere) << c.text;
    }
    EXPECT_EQ(previewURL("http://localhost:8080/", "myshop"),
              "http://localhost:8080/cgi-bin/qstldb/myshop-cgi/Catalogue.pl");
}

class PreviewSettingsTest : public ::testing::Test {
protected:
    PreviewSettingsTest() : state(folder.path().string()) {}

    TempFolder folder;
    AppState state;
    ScriptedUserInterface ui;
    PreviewSettings settings;
};

TEST_F(PreviewSettingsTest, KeepsTheOtherLinesOfSettingsCfg)
{
    settings.load(state);
    EXPECT_EQ(state.BrowserPath, "");
    EXPECT_EQ(settings.previewAddress, "http://localhost:8080");

    folder.write("settings.cfg", "colour=blue\nBROWSER=/usr/bin/x\r\nlast=1");
    settings.load(state);
    EXPECT_EQ(state.BrowserPath, "/usr/bin/x");
    state.BrowserPath = "/usr/bin/chromium";
    settings.previewAddress = "http://127.0.0.1:9000";
    settings.save(state);
    EXPECT_EQ(
        folder.read("settings.cfg"),
        "colour=blue\r\nbrowser=/usr/bin/chromium\r\nlast=1\r\npreviewaddress=http://127.0.0.1:9000\r\n");

    PreviewSettings again;
    again.load(state);
    EXPECT_EQ(again.previewAddress, "http://127.0.0.1:9000");
    state.BrowserPath.clear();
    again.save(state);
    EXPECT_EQ(folder.read("settings.cfg"),
              "colour=blue\r\nlast=1\r\npreviewaddress=http://127.0.0.1:9000\r\n");
}

TEST_F(PreviewSettingsTest, TheDialogSuggestsOnlyBrowsersThatExistAndRefusesABadAddress)
{
    const std::string browser = folder.write("browser", "");
    PreviewSettingsEdits edits;
    state.BrowserPath = "/old";
    edits.fill(state, settings);
    EXPECT_EQ(edits.BrowserEdit, "/old");

    edits.suggest(folder.file("missing"), ui);
    EXPECT_EQ(edits.BrowserEdit, "/old");
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Sorry! The file " + folder.file("missing") +
                                                   " does not seem to exist on your machine.\nPlease try to "
                                                   "find your browser using the \"Browse\" button."});
    edits.suggest(browser, ui);
    EXPECT_EQ(edits.BrowserEdit, browser);

    ui.files = {std::nullopt, std::string("/usr/bin/picked")};
    edits.browse(ui);
    EXPECT_EQ(edits.BrowserEdit, browser);
    edits.browse(ui);
    EXPECT_EQ(edits.BrowserEdit, "/usr/bin/picked");
    EXPECT_EQ(ui.fileRequests.at(0).caption, "Please select your browser's executable file...");

    // OK takes the path unchecked, but not an address that is none.
    edits.AddressEdit = "localhost:8080";
    EXPECT_FALSE(edits.accept(state, settings, ui));
    EXPECT_EQ(ui.texts().back(), badAddressMessage);
    EXPECT_EQ(state.BrowserPath, "/old");
    edits.AddressEdit = "http://localhost:8090";
    EXPECT_TRUE(edits.accept(state, settings, ui));
    EXPECT_EQ(state.BrowserPath, "/usr/bin/picked");
    EXPECT_EQ(settings.previewAddress, "http://localhost:8090");
}

// An open shop "myshop" with a browser set, previewed at an address where a
// test listener already answers, so no web server is started.
class PreviewCommandTest : public ::testing::Test {
protected:
    PreviewCommandTest() : state(folder.path().string()), server("/no/such/lighttpd")
    {
        state.LocCGI = folder.file("cgi");
        state.ShopName = "myshop";
        fs::create_directories(state.ShopDataDir());
        state.BrowserPath = folder.write("browser", "");
        settings.previewAddress = "http://localhost:" + std::to_string(listener.port());
    }

    bool preview() { return PreviewCommand(state, ui, settings, server, handlers); }

    TempFolder folder;
    AppState state;
    ScriptedUserInterface ui;
    PreviewSettings settings;
    LocalWebServer server;
    test::LoopbackSocket listener{true};
    std::vector<std::string> started;
    std::function<void()> settingsDialog = [] {};
    bool browserStarts = true;
    PreviewHandlers handlers{[this] { settingsDialog(); },
                             [this](const std::string& program, const std::vector<std::string>& arguments) {
                                 started.push_back(program);
                                 started.insert(started.end(), arguments.begin(), arguments.end());
                                 return browserStarts;
                             }};
};

TEST_F(PreviewCommandTest, OffersToSaveThenGivesTheBrowserTheCatalogueAddress)
{
    const std::string url = settings.previewAddress + "/cgi-bin/qstldb/myshop-cgi/Catalogue.pl";
    ui.answers = {Answer::No};
    EXPECT_TRUE(preview());
    EXPECT_EQ(started, (std::vector<std::string>{state.BrowserPath, url}));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Save the Catalogue first?"});
    EXPECT_FALSE(fs::exists(state.ShopDataDir() + "/shop.data"));

    // Yes runs the Save command, which asks its own question.
    ui.answers = {Answer::Yes, Answer::Yes};
    EXPECT_TRUE(preview());
    EXPECT_TRUE(fs::exists(state.ShopDataDir() + "/shop.data"));

    ui.said.clear();
    browserStarts = false;
    ui.answers = {Answer::No};
    EXPECT_FALSE(preview());
    EXPECT_EQ(ui.texts().back(), "The browser " + state.BrowserPath +
                                     " could not be started.\nPlease check the path to your browser under "
                                     "Preview, Preview Settings.");
}

TEST_F(PreviewCommandTest, AMissingBrowserOpensTheSettingsAndWithoutOneNothingStarts)
{
    const std::string other = folder.write("other-browser", "");
    state.BrowserPath = folder.file("gone");
    int dialogs = 0;
    settingsDialog = [&] {
        ++dialogs;
        EXPECT_EQ(state.BrowserPath, "");
    };
    EXPECT_FALSE(preview());
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(started.empty());
    EXPECT_TRUE(ui.said.empty());

    settingsDialog = [&] { state.BrowserPath = other; };
    ui.answers = {Answer::No};
    EXPECT_TRUE(preview());
    EXPECT_EQ(started.at(0), other);
}

TEST_F(PreviewCommandTest, TellsWhatToDoWhenNoWebServerCanBeStarted)
{
    const std::string address = "http://localhost:" + std::to_string(test::freeLoopbackPort());
    struct Case {
        const char* name;
        std::string program;
        bool configuration;
        std::string_view expected;
    };
    const Case cases[] = {
        {"lighttpd missing", "/no/such/lighttpd", true, "and the web server lighttpd is not installed."},
        {"configuration missing", "/bin/true", false, "preview.conf) is missing."},
        {"server ends at once", "/bin/false", true, ": it stopped without saying why.\nIf another program"},
    };
    for (const Case& c : cases) {
        fs::remove_all(folder.file("lighttpd"));
        if (c.configuration) {
            fs::create_directories(folder.file("lighttpd"));
            folder.write("lighttpd/preview.conf", "");
        }
        LocalWebServer localServer(c.program);
        const std::string told = EnsurePreviewServer(state, localServer, address);
        EXPECT_NE(told.find(c.expected), std::string::npos) << c.name << ": " << told;
        EXPECT_NE(told.find("preview again"), std::string::npos) << c.name;
        EXPECT_FALSE(localServer.running()) << c.name;
    }
    // A server elsewhere, or one that already answers here, is taken as it is.
    EXPECT_EQ(EnsurePreviewServer(state, server, "http://shop.example:8080"), "");
    EXPECT_EQ(EnsurePreviewServer(state, server, settings.previewAddress), "");
    EXPECT_FALSE(server.running());
}

TEST_F(PreviewCommandTest, AnotherProgramOnThePreviewPortIsTold)
{
    const std::string images = folder.file("images");
    fs::create_directories(images);
    state.LocImg = images;
    test::LoopbackHttpServer ours(test::servingImagesFrom(images));
    test::LoopbackHttpServer otherPage(
        [](const std::string&) { return test::httpAnswer("200 OK", "Welcome to Jupyter"); });
    test::LoopbackHttpServer notFound(
        [](const std::string&) { return test::httpAnswer("404 Not Found", "no such page"); });
    struct Case {
        const char* name;
        int port;
        bool told;
    };
    const Case cases[] = {
        {"the preview's server", ours.port(), false},
        {"another program's page", otherPage.port(), true},
        {"another program without the file", notFound.port(), true},
        {"a program that never answers", listener.port(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string address = "http://localhost:" + std::to_string(c.port);
        const std::string told = EnsurePreviewServer(state, server, address);
        EXPECT_EQ(told.empty(), !c.told) << told;
        if (c.told) {
            EXPECT_EQ(told.find("Another program answers at " + address +
                                ", not a web server that shows your shop"),
                      0u);
        }
        EXPECT_TRUE(fs::is_empty(images)) << "the question's file is gone";
    }

    // The preview stops there, and the browser is not started.
    settings.previewAddress = "http://localhost:" + std::to_string(otherPage.port());
    ui.answers = {Answer::No};
    EXPECT_FALSE(preview());
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(ui.texts().back().find("Another program answers"), 0u);
}

} // namespace
} // namespace qs
