#include "Loopback.h"
#include "ScriptedUserInterface.h"
#include "core/app/AppState.h"
#include "core/app/ShopWorkspace.h"
#include "core/app/Startup.h"
#include "core/catalogue/EditorState.h"
#include "TempFolder.h"
#include "core/publish/Exporter.h"
#include "core/publish/LocalWebServer.h"
#include "core/publish/Preview.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>

namespace qs {
namespace {

namespace fs = std::filesystem;
using test::ScriptedUserInterface;
using test::TempFolder;

const std::string picture = "GIF89a a picture of Dune";

// The whole road on a fresh copy of the installation: a shop with categories,
// priced products and a picture, saved and exported, then served by lighttpd
// with the shipped configuration as a browser would ask for it.
class PreviewServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(LocalWebServer::findLighttpd().empty())
            << "lighttpd is not installed: run scripts/setup";
        fs::copy(QUAYSTALL_SHARE_PROGRAM, folder.path(), fs::copy_options::recursive);
        ASSERT_TRUE(StartUp(state, ui));
        ui.inputs.push_back("demo");
        ASSERT_TRUE(NewShopCommand(state, editor, ui));
        state.ShopFields.setValue("sales_email", "sales@demo.test");
        state.ShopFields.setValue("tech_email", "tech@demo.test");

        Catalogue& catalogue = state.catalogue;
        TNewCategory& books = catalogue.addCategory(catalogue.root(), "Books");
        catalogue.addCategory(books, "Fiction");
        TNewCategory& garden = catalogue.addCategory(catalogue.root(), "Garden");
        addProduct(books, "Dune", "9.99", "dune.gif");
        addProduct(garden, "Spade", "12.5", "");
        folder.write(state.LocImg.substr(folder.path().string().size() + 1) + "/dune.gif", picture);
        folder.write(state.ShopCGIDir() + "/admin.pass", "admin=secret\r\n");
        folder.write(state.ShopDataDir() + "/stray.pl",
                     "#!/usr/bin/perl\nprint \"Content-Type: text/plain\\n\\nran\";\n");

        ui.answers = {Answer::Yes};
        const ExportDialogs dialogs{{}, {}, [](const std::vector<std::string>&) { return true; }};
        ASSERT_EQ(ExportCommand(state, ui, dialogs), ExportOutcome::Complete);
    }

    void addProduct(TNewCategory& category, const char* name, const char* price, const char* pictureName)
    {
        TNewProduct& product = state.catalogue.createProduct(category);
        product.setField("Product Name", name, ui);
        product.setField("Price", price, ui);
        product.setField("Picture", pictureName, ui);
    }

    // The shop's pages and its picture, as served at the port.
    void expectTheShopIsServed(int port)
    {
        const std::string script = "/cgi-bin/qstldb/demo-cgi/Catalogue.pl";
        const test::HttpResponse welcome = test::httpGet(port, script);
        ASSERT_EQ(welcome.status, 200) << welcome.headers;
        EXPECT_NE(welcome.body.find("href=\"Catalogue.pl?cat=0\">Books</a>"), std::string::npos) << welcome.body;
        EXPECT_NE(welcome.body.find(">Garden</a>"), std::string::npos);

        const test::HttpResponse books = test::httpGet(port, script + "?cat=0");
        ASSERT_EQ(books.status, 200);
        for (const char* expected :
             {">Dune</a></h3>", "\u00a39.99", "src=\"/images/demo-images/dune.gif\"", "?cat=1\">Fiction</a>"})
            EXPECT_NE(books.body.find(expected), std::string::npos) << expected << "\n" << books.body;
        EXPECT_EQ(books.body.find("Spade"), std::string::npos);
        const test::HttpResponse garden = test::httpGet(port, script + "?cat=2");
        EXPECT_NE(garden.body.find("\u00a312.50"), std::string::npos) << garden.body;

        const test::HttpResponse image = test::httpGet(port, "/images/demo-images/dune.gif");
        EXPECT_EQ(image.status, 200);
        EXPECT_EQ(image.body, picture);
        EXPECT_NE(image.headers.find("Content-Type: image/gif"), std::string::npos);
        // The shop's settings, password and data are not for the browser,
        // not even by a path that goes on past the file.
        for (const char* refused : {"qstl2.cfg", "admin.pass", "admin.pass/x.pl", "data/shop.data",
                                    "data/shop.data/x.pl", "data/stray.pl", "CGIFiles.txt/x.pl"})
            EXPECT_EQ(test::httpGet(port, "/cgi-bin/qstldb/demo-cgi/" + std::string(refused)).status, 403)
                << refused;
    }

    // Stops the server by its process id, and makes sure it is gone.
    static void stopAndCheck(LocalWebServer& server)
    {
        const pid_t pid = server.pid();
        ASSERT_GT(pid, 0);
        server.stop();
        EXPECT_EQ(::kill(pid, 0), -1);
        EXPECT_EQ(errno, ESRCH);
    }

    TempFolder folder;
    AppState state{folder.path().string()};
    EditorState editor;
    ScriptedUserInterface ui;
};

TEST_F(PreviewServerTest, ThePreviewStartsTheLocalServerWhichShowsTheShop)
{
    const int port = test::freeLoopbackPort();
    const std::string address = "http://localhost:" + std::to_string(port);
    LocalWebServer server;
    // The scripts learn that they run in the preview.
    folder.write(
        state.LocCGI + "/env.pl",
        "#!/usr/bin/perl\nprint \"Content-Type: text/plain\\n\\n\", $ENV{QUAYSTALL_PREVIEW} // 'unset';\n");
    ASSERT_EQ(EnsurePreviewServer(state, server, address), "");
    ASSERT_TRUE(server.running());
    EXPECT_EQ(test::httpGet(port, "/cgi-bin/qstldb/env.pl").body, "1");
    expectTheShopIsServed(port);
    // Once it answers, a second preview uses it as it is.
    LocalWebServer second;
    EXPECT_EQ(EnsurePreviewServer(state, second, address), "");
    EXPECT_FALSE(second.running());
    stopAndCheck(server);
    EXPECT_FALSE(LocalWebServer::answers(port));
}

TEST_F(PreviewServerTest, TheExportedShopWorksOnAWebServer)
{
    const std::string uploaded = folder.file("upload/demo");
    const int port = test::freeLoopbackPort();
    LocalWebServer server;
    ASSERT_EQ(server.start(previewServerConfiguration(state), port, {uploaded, uploaded}), "");
    expectTheShopIsServed(port);
    stopAndCheck(server);
}

TEST_F(PreviewServerTest, APortTakenByAnotherProgramIsTold)
{
    const test::LoopbackSocket taken(false);
    LocalWebServer server;
    const std::string told =
        EnsurePreviewServer(state, server, "http://127.0.0.1:" + std::to_string(taken.port()));
    EXPECT_NE(told.find("could not be started"), std::string::npos) << told;
    EXPECT_NE(told.find("Address already in use"), std::string::npos) << told;
    EXPECT_FALSE(server.running());
}

} // namespace
} // namespace qs
