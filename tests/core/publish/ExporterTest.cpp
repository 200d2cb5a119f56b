#include "core/publish/Exporter.h"
#include "ScriptedUserInterface.h"
#include "TempFolder.h"
#include "core/app/AppState.h"
#include "core/app/CatalogueSave.h"
#include "core/app/ShopWorkspace.h"
#include "core/app/Startup.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/EditorState.h"
#include "core/catalogue/TNewCategory.h"
#include "core/catalogue/TNewProduct.h"
#include "core/publish/HostAdminPassword.h"
#include "core/publish/HostDenyRules.h"
#include "core/publish/OrderReadiness.h"
#include "core/publish/ServerDataFolders.h"
#include "core/publish/UploadFolderAge.h"
#include "core/settings/AdminPassword.h"
#include "core/text/FileError.h"
#include "core/text/JoinPath.h"
#include "core/text/NameValueList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <functional>
#include <sys/stat.h>

namespace qs {
namespace {

namespace fs = std::filesystem;
using test::ScriptedUserInterface;
using test::TempFolder;

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A program folder with a small installation and a new shop "Demo" whose mail
// settings are complete, so that an export needs only its confirmation.
class ExporterTest : public ::testing::Test {
protected:
    ExporterTest() : state(folder.path().string())
    {
        fs::create_directories(folder.file("Apache/cgi-bin/qstldb/data"));
        fs::create_directories(folder.file("Apache/htdocs/images"));
        folder.write("Apache/cgi-bin/qstldb/AllCGIFiles.txt", "shop.pl\r\nlist.txt\r\nCGIFiles.txt\r\n");
        folder.write("Apache/cgi-bin/qstldb/CGIFiles.txt", "shop.pl\r\nlist.txt\r\n");
        folder.write("Apache/cgi-bin/qstldb/shop.pl", "#!/usr/local/bin/perl -w\nprint 1;\n");
        folder.write("Apache/cgi-bin/qstldb/list.txt", "#!not a script\n");
        folder.write("Apache/cgi-bin/qstldb/data/area.txt", "UK\r\n");
        folder.write("Apache/htdocs/images/logo.gif", "GIF");
        EXPECT_TRUE(StartUp(state, ui));
        ui.inputs.push_back("Demo");
        EXPECT_TRUE(NewShopCommand(state, editor, ui));
        state.ShopFields.setValue("sales_email", "sales@demo.test");
        state.ShopFields.setValue("tech_email", "tech@demo.test");
        // Products need no Tax Code, nor a weight.
        state.ShopFields.setValue("taxaction", "ignore");
        state.ShopFields.setValue("shipmethod", "percentage");
        state.ShopFields.setValue("shippercent", "5");
        state.catalogue.addCategory(state.catalogue.root(), "Books");
        ui.said.clear();
    }

    ExportOutcome exportShop(std::deque<Answer> answers = {Answer::Yes})
    {
        ui.answers = std::move(answers);
        return ExportCommand(state, ui, dialogs);
    }

    std::string shopFile(std::string_view path) const
    {
        return joinPath(state.ShopCGIDir(), std::string(path));
    }
    std::string upload(std::string_view path) const
    {
        return folder.file("upload/Demo/" + std::string(path));
    }

    TempFolder folder;
    AppState state;
    EditorState editor;
    ScriptedUserInterface ui;
    std::vector<std::string> dialogsShown;
    // The dialogs record that they were shown; the merchant details put the
    // sales address right, the location details, when confirmed, a mail
    // method. The warnings are asked about as the desktop program asks.
    std::deque<bool> locationConfirms;
    ExportDialogs dialogs{[this] {
                              dialogsShown.push_back("Merchant Details");
                              if (state.ShopFields.value("sales_email").empty())
                                  state.ShopFields.setValue("sales_email", "sales@demo.test");
                              return true;
                          },
                          [this] {
                              dialogsShown.push_back("Location Details");
                              const bool confirmed = locationConfirms.front();
                              locationConfirms.pop_front();
                              if (confirmed)
                                  state.mailprogram = "/usr/sbin/sendmail";
                              return confirmed;
                          },
                          [this](const std::vector<std::string>& warnings) {
                              return ui.ask(exportDespiteQuestion(warnings), MessageKind::Warning,
                                            Buttons::YesNo) == Answer::Yes;
                          }};
};

// What the export puts in the upload data folder: the shop's data files and
// the folders the scripts write in on the server.
std::vector<std::string> uploadData(std::vector<std::string> files)
{
    files.insert(files.end(), std::begin(serverDataFolders), std::end(serverDataFolders));
    files.emplace_back(hostRulesFileName);
    std::sort(files.begin(), files.end());
    return files;
}

TEST_F(ExporterTest, BuildsScriptsSettingsDataAndPicturesAndSaysWhereToUploadThem)
{
    fs::create_directories(shopFile("data/sub"));
    folder.write(shopFile("data/sub/inner.txt"), "x");
    fs::create_directories(state.LocImg + "/thumbs");
    folder.write(state.LocImg + "/photo one.jpg", "JPEG");

    EXPECT_EQ(exportShop(), ExportOutcome::Complete);

    EXPECT_EQ(namesIn(upload("")), (std::vector<std::string>{"Demo-cgi", "Demo-images"}));
    EXPECT_EQ(namesIn(upload("Demo-cgi")),
              (std::vector<std::string>{".htaccess", "data", "list.txt", "qstl2.cfg", "shop.pl"}));
    // Every "#!" line names the server's Perl.
    EXPECT_EQ(folder.read(upload("Demo-cgi/shop.pl")), "#!/usr/bin/perl\nprint 1;\r\n");
    EXPECT_EQ(folder.read(upload("Demo-cgi/list.txt")), "#!/usr/bin/perl\n");
    const NameValueList remote = NameValueList::fromFile(upload("Demo-cgi/qstl2.cfg"));
    EXPECT_EQ(remote.value("CGIPATH"), "/cgi-bin/Demo-cgi");
    EXPECT_EQ(remote.value("IMAGEPATH"), "/images/Demo-images");
    EXPECT_EQ(remote.value("sales_email"), "sales@demo.test");
    // The save came first: the data folder holds the catalogue just written.
    EXPECT_EQ(namesIn(upload("Demo-cgi/data")), uploadData({"area.txt", "header_data.log", "shop.data"}));
    EXPECT_EQ(folder.read(upload("Demo-cgi/data/header_data.log")),
              folder.read(shopFile("data/header_data.log")));
    EXPECT_EQ(namesIn(upload("Demo-images")), (std::vector<std::string>{"logo.gif", "photo one.jpg"}));
    EXPECT_EQ(folder.read(upload("Demo-images/photo one.jpg")), "JPEG");

    EXPECT_EQ(
        ui.texts(),
        (std::vector<std::string>{
            "This will build your shop in your upload directory, ready for upload.\nProceed?",
            "IMPORTANT!!! Your shop data has now been sent to your upload directory which can be found "
            "within your Quaystall DB program directory. \nThe files have been copied into two folders: "
            "'Demo-cgi' and 'Demo-images'. \nTo transfer these files to your Web-Server, you must upload "
            "the entire 'Demo-cgi' folder directly into your CGI-BIN (the location of which will have "
            "been specified in the location details manager). \nThe entire 'Demo-images' folder must be "
            "uploaded into your Web-Server's images directory (again the location of which will have "
            "been specified within the location details manager).\n\nYour upload folder is " +
                fs::canonical(upload("")).string() +
                ".\nOnce uploaded, the administrators' pages (the orders) will be at /cgi-bin/Demo-cgi/Admin.pl "
                "on your web server."}));
    // The message offers to open that folder.
    EXPECT_EQ(ui.offeredFolders, std::vector<std::string>{fs::canonical(upload("")).string()});
    // Every file went past the progress window, which is gone again.
    EXPECT_EQ(ui.progressWindow.steps, 3 + 2);
    EXPECT_FALSE(ui.progressWindow.visible);
    EXPECT_TRUE(dialogsShown.empty());
}

TEST_F(ExporterTest, ExportingTwiceReplacesEverythingAndRemovesWhatTheShopNoLongerHas)
{
    folder.write(state.LocImg + "/old.jpg", "old");
    ASSERT_EQ(exportShop(), ExportOutcome::Complete);
    fs::remove(state.LocImg + "/old.jpg");
    fs::remove(shopFile("data/area.txt"));
    folder.write(state.LocImg + "/logo.gif", "GIF2");
    folder.write(shopFile("shop.pl"), "#!perl\nprint 2;\n");
    folder.write(shopFile("CGIFiles.txt"), "shop.pl\r\n");
    state.catalogue.addCategory(state.catalogue.root(), "Garden");
    state.ShopFields.setValue("company", "Second");
    // What an export that was cut short left behind goes with the next one;
    // hidden files of the upload folder are not the shop's and stay.
    folder.write(upload("Demo-images/.photo.jpg.qs-save-a1B2c3"), "part");
    folder.write(upload("Demo-cgi/.htaccess"), "Require all denied\n");

    ASSERT_EQ(exportShop(), ExportOutcome::Complete);
    EXPECT_EQ(namesIn(upload("Demo-images")), (std::vector<std::string>{"logo.gif"}));
    EXPECT_EQ(folder.read(upload("Demo-images/logo.gif")), "GIF2");
    EXPECT_FALSE(fs::exists(upload("Demo-cgi/data/area.txt")));
    EXPECT_EQ(namesIn(upload("Demo-cgi")), (std::vector<std::string>{".htaccess", "data", "qstl2.cfg", "shop.pl"}));
    EXPECT_EQ(folder.read(upload("Demo-cgi/shop.pl")), "#!/usr/bin/perl\nprint 2;\r\n");
    EXPECT_NE(folder.read(upload("Demo-cgi/data/header_data.log")).find("Garden"), std::string::npos);
    EXPECT_EQ(NameValueList::fromFile(upload("Demo-cgi/qstl2.cfg")).value("company"), "Second");
}

TEST_F(ExporterTest, TheUploadFolderIsOutOfDateWhenAFileChangesInSizeOrContentWhateverItsDate)
{
    ASSERT_EQ(exportShop(), ExportOutcome::Complete);
    EXPECT_FALSE(uploadFolderOutOfDate(state));
    const auto dated = [&](const std::string& path, const std::string& bytes) {
        const auto before = fs::last_write_time(path);
        folder.write(path, bytes);
        fs::last_write_time(path, before - std::chrono::hours(24 * 365));
    };
    const struct {
        const char* change;
        std::function<void()> make;
        bool outOfDate;
    } cases[] = {
        {"a picture replaced by an older one of the same size", [&] { dated(state.LocImg + "/logo.gif", "PNG"); },
         true},
        {"a data file touched, its bytes the same", [&] { dated(shopFile("data/area.txt"), "UK\r\n"); }, false},
        {"the upload's own settings", [&] { folder.write(shopFile("upload.cfg"), "Host=example.com\r\n"); },
         false},
        {"an order fetched",
         [&] {
             fs::create_directories(shopFile("data/orders"));
             folder.write(shopFile("data/orders/1.order"), "order=1\r\n");
         },
         false},
        {"a picture added", [&] { folder.write(state.LocImg + "/new.gif", "GIF"); }, true},
        {"a data file removed", [&] { fs::remove(shopFile("data/area.txt")); }, true},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(exportShop(), ExportOutcome::Complete) << c.change;
        c.make();
        EXPECT_EQ(uploadFolderOutOfDate(state), c.outOfDate) << c.change;
    }
    fs::remove(upload("Demo-cgi/qstl2.cfg"));
    EXPECT_TRUE(uploadFolderOutOfDate(state));
}

TEST_F(ExporterTest, MissingMailSettingsOpenTheirDialogsBeforeTheQuestion)
{
    const std::string email(missingEmailMessage);
    const std::string method(missingMailMethodMessage);
    const std::string question(exportQuestion);
    struct Case {
        const char* name;
        const char* sales;
        const char* tech;
        bool mailMethod;
        std::deque<bool> locationConfirms;
        std::deque<Answer> answers;
        ExportOutcome outcome;
        std::vector<std::string> texts;
        std::vector<std::string> dialogs;
    };
    const Case cases[] = {
        {"no sales address",
         "",
         "tech@x",
         true,
         {},
         {Answer::Yes},
         ExportOutcome::Complete,
         {email, question},
         {"Merchant Details"}},
        {"no tech address",
         "sales@x",
         "",
         true,
         {},
         {Answer::Yes},
         ExportOutcome::Complete,
         {email, question},
         {"Merchant Details"}},
        {"no mail method, then one chosen",
         "sales@x",
         "tech@x",
         false,
         {true},
         {Answer::Yes},
         ExportOutcome::Complete,
         {method, question},
         {"Location Details"}},
        {"no mail method, cancelled",
         "",
         "",
         false,
         {false},
         {},
         ExportOutcome::Stopped,
         {email, method},
         {"Merchant Details", "Location Details"}},
        {"declined", "sales@x", "tech@x", true, {}, {Answer::No}, ExportOutcome::Stopped, {question}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(folder.file("upload"));
        fs::remove(shopFile("data/shop.data"));
        ui.said.clear();
        dialogsShown.clear();
        state.ShopFields.setValue("sales_email", c.sales);
        state.ShopFields.setValue("tech_email", c.tech);
        state.mailprogram = c.mailMethod ? "/usr/bin/sendmail" : "";
        state.web_server = "web";
        state.smtp_server = "";
        locationConfirms = c.locationConfirms;

        EXPECT_EQ(exportShop(c.answers), c.outcome);
        std::vector<std::string> texts = ui.texts();
        if (c.outcome == ExportOutcome::Complete)
            texts.pop_back();
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(dialogsShown, c.dialogs);
        // Stopping before the question leaves the catalogue unsaved and the upload folder untouched.
        EXPECT_EQ(fs::exists(shopFile("data/shop.data")), c.outcome == ExportOutcome::Complete);
        EXPECT_EQ(fs::exists(folder.file("upload")), c.outcome == ExportOutcome::Complete);
    }
}

TEST_F(ExporterTest, AShopThatCannotTakeOrdersIsBuiltOnlyWhenTheMerchantSaysSo)
{
    state.ShopFields.setValue("paymethod", "Credit Card");
    const std::vector<std::string> warnings = orderReadinessWarnings(state);
    ASSERT_EQ(warnings.size(), 1u);
    const std::string question =
        "Your shop cannot take orders properly as it is set:\n\n- " + warnings.front() + "\n\nExport anyway?";
    struct Case {
        Answer answer;
        ExportOutcome outcome;
    };
    for (const Case& c :
         {Case{Answer::No, ExportOutcome::Stopped}, Case{Answer::Yes, ExportOutcome::Complete}}) {
        SCOPED_TRACE(c.answer == Answer::Yes ? "yes" : "no");
        ui.said.clear();
        EXPECT_EQ(exportShop({Answer::Yes, c.answer}), c.outcome);
        ASSERT_GE(ui.said.size(), 2u);
        EXPECT_EQ(ui.said[1].text, question);
        EXPECT_EQ(ui.said[1].kind, MessageKind::Warning);
        // No stops before the save and before anything is built.
        EXPECT_EQ(fs::exists(shopFile("data/shop.data")), c.answer == Answer::Yes);
        EXPECT_EQ(fs::exists(folder.file("upload")), c.answer == Answer::Yes);
    }
}

// The web server runs the scripts and the scripts write in the data folder,
// whatever the umask of the merchant's session.
TEST_F(ExporterTest, ScriptsMayRunAndTheScriptsMayWriteTheirFoldersWhateverTheUmask)
{
    folder.write(shopFile("Shop.pm"), "package Shop;\n");
    folder.write(shopFile("CGIFiles.txt"), "shop.pl\r\nShop.pm\r\n");
    const std::string password = "admin=se=cret\r\n";
    folder.write(shopFile("admin.pass"), password);
    fs::permissions(shopFile("admin.pass"), fs::perms::owner_read | fs::perms::owner_write);
    // What the scripts wrote on an earlier upload folder stays.
    fs::create_directories(upload("Demo-cgi/data/orders"));
    folder.write(upload("Demo-cgi/data/orders/1.txt"), "order");
    fs::permissions(upload("Demo-cgi/data/orders"), fs::perms::owner_all);
    const mode_t umask = ::umask(027);

    const ExportOutcome outcome = exportShop();
    ::umask(umask);
    ASSERT_EQ(outcome, ExportOutcome::Complete) << ui.texts().back();
    const std::string digest = folder.read(upload("Demo-cgi/admin.pass"));
    EXPECT_TRUE(hostAdminPasswordMatches(digest, AdminPassword{"admin", "se=cret"})) << digest;
    EXPECT_EQ(digest.find("se=cret"), std::string::npos) << "the password in clear";
    EXPECT_EQ(folder.read(upload("Demo-cgi/.htaccess")), cgiFolderRules());
    EXPECT_EQ(folder.read(upload("Demo-cgi/data/.htaccess")), dataFolderRules());
    EXPECT_EQ(folder.read(upload("Demo-cgi/data/orders/1.txt")), "order");
    std::vector<std::pair<std::string, int>> modes{
        {shopFile("shop.pl"), 0755},
        {shopFile("CGIFiles.txt"), 0644},
        {upload("Demo-cgi/shop.pl"), 0755},
        {upload("Demo-cgi/Shop.pm"), 0644},
        {upload("Demo-cgi/qstl2.cfg"), 0644},
        {upload("Demo-cgi/admin.pass"), 0600},
        {upload("Demo-cgi/data"), 0775},
        {upload("Demo-cgi/data/area.txt"), 0644},
        {upload("Demo-images/logo.gif"), 0644},
    };
    for (const std::string_view name : serverDataFolders)
        modes.emplace_back(upload("Demo-cgi/data/" + std::string(name)), 0775);
    for (const auto& [path, mode] : modes)
        EXPECT_EQ(static_cast<int>(fs::status(path).permissions()), mode) << path;

    // The same password is not digested again, so the upload need not send it.
    EXPECT_EQ(exportShop(), ExportOutcome::Complete);
    EXPECT_EQ(folder.read(upload("Demo-cgi/admin.pass")), digest);
    folder.write(shopFile("admin.pass"), "admin=other\r\n");
    EXPECT_EQ(exportShop(), ExportOutcome::Complete);
    EXPECT_TRUE(hostAdminPasswordMatches(folder.read(upload("Demo-cgi/admin.pass")),
                                         AdminPassword{"admin", "other"}));

    // A name the scripts need for a folder, taken by a file of the shop, is listed.
    fs::remove_all(upload("Demo-cgi/data/outbox"));
    folder.write(shopFile("data/outbox"), "");
    ui.said.clear();
    EXPECT_EQ(exportShop(), ExportOutcome::Incomplete);
    EXPECT_EQ(ui.texts().back(),
              std::string(exportIncompleteHeading) + "\n" + upload("Demo-cgi/data/outbox") +
                  " is not a folder, so the shop's scripts cannot keep their files there.\n" +
                  std::string(exportIncompleteAdvice));
}

TEST_F(ExporterTest, AnEmptyScriptListStillWritesTheSettingsFile)
{
    folder.write(shopFile("CGIFiles.txt"), "");
    EXPECT_EQ(exportShop(), ExportOutcome::Complete);
    EXPECT_EQ(namesIn(upload("Demo-cgi")), (std::vector<std::string>{".htaccess", "data", "qstl2.cfg"}));
}

TEST_F(ExporterTest, MissingFoldersAreListedOnceInsteadOfTheClosingMessage)
{
    const std::string listFile = shopFile("CGIFiles.txt");
    const std::string localCGI =
        "The local CGI directory specified (" + folder.file("gone") + ") does not exist.";
    const std::string noList = "The CGI list-file (" + listFile + ") does not exist.";
    auto noData = [&] {
        return "The local data directory specified (" + state.ShopDataDir() + ") does not exist.";
    };
    auto report = [](std::vector<std::string> lines) {
        std::string text(exportIncompleteHeading);
        for (const std::string& line : lines)
            text += "\n" + line;
        return text + "\n" + std::string(exportIncompleteAdvice);
    };
    struct Case {
        const char* name;
        std::function<void()> breakShop;
        std::function<std::vector<std::string>()> texts;
        std::vector<std::string> uploadCGI;
        std::vector<std::string> uploadData;
        bool picturesCopied;
    };
    const std::vector<std::string> data = uploadData({"area.txt", "header_data.log", "shop.data"});
    const Case cases[] = {
        {"no local CGI folder",
         [&] { state.LocCGI = folder.file("gone"); },
         [&] {
             return std::vector<std::string>{report({localCGI, noData()})};
         },
         {"data"},
         {},
         false},
        {"no list file",
         [&] { fs::remove(listFile); },
         [&] { return std::vector<std::string>{report({noList})}; },
         {".htaccess", "data"},
         data,
         true},
        {"no data folder",
         [&] { fs::remove_all(state.ShopDataDir()); },
         [&] { return std::vector<std::string>{report({noData()})}; },
         {"data", "list.txt", "qstl2.cfg", "shop.pl"},
         {},
         false},
    };
    const std::string localRoot = state.LocCGI;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(writeCatalogue(state, ui, shopFile("data/shop.data")));
        folder.write(listFile, "shop.pl\r\nlist.txt\r\n");
        fs::remove_all(folder.file("upload"));
        ui.said.clear();
        c.breakShop();

        EXPECT_EQ(BuildUploadFolder(state, ui), ExportOutcome::Incomplete);
        EXPECT_EQ(ui.texts(), c.texts());
        EXPECT_EQ(namesIn(upload("Demo-cgi")), c.uploadCGI);
        // The upload data folder is made even when there is nothing to put in it.
        EXPECT_EQ(namesIn(upload("Demo-cgi/data")), c.uploadData);
        EXPECT_EQ(fs::exists(upload("Demo-images/logo.gif")), c.picturesCopied);
        state.LocCGI = localRoot;
    }
}

// The web server finds a picture by the bytes of its name: a picture the
// catalogue names is exported only when the image folder holds a file of that
// very name, and every other one is listed.
TEST_F(ExporterTest, PicturesTheImageFolderLacksAreListedAndTheExportIsIncomplete)
{
    TNewCategory& books = *state.catalogue.findByPath("Books");
    TNewCategory& toys = state.catalogue.addCategory(state.catalogue.root(), "Toys");
    books.setDetail("Picture", "banner.gif");
    toys.setDetail("Default Picture", "toy.jpg");
    const auto addProduct = [&](TNewCategory& category, const char* name, const char* picture) {
        TNewProduct& product = state.catalogue.createProduct(category);
        product.setField("Product Name", name, ui);
        product.setField("Picture", picture, ui);
    };
    addProduct(books, "Dune", "photo one.jpg");
    addProduct(books, "Emma", "caf\xE9.png"); // the catalogue's Windows-1252
    addProduct(toys, "Kite", "");             // inherits toy.jpg
    addProduct(toys, "Ball", "");
    addProduct(toys, "Yo-yo", "sub/yo.jpg");
    folder.write(state.LocImg + "/photo one.jpg", "JPEG");
    folder.write(state.LocImg + "/caf\xC3\xA9.png", "PNG"); // named in UTF-8 on disk
    fs::create_directories(state.LocImg + "/sub");
    folder.write(state.LocImg + "/sub/yo.jpg", "JPEG"); // the export copies no sub-folder

    EXPECT_EQ(exportShop(), ExportOutcome::Incomplete);
    const std::string images = ", is no file of the image folder " + state.LocImg + ".";
    EXPECT_EQ(ui.texts().back(),
              std::string(exportIncompleteHeading) + "\nThe picture banner.gif, named by the category Books" +
                  images + "\nThe picture caf\xE9.png, named by the product Emma in Books" + images +
                  "\nThe picture sub/yo.jpg, named by the product Yo-yo in Toys" + images +
                  "\nThe picture toy.jpg, named by the product Kite in Toys and 1 more" + images + "\n" +
                  std::string(exportIncompleteAdvice));
    EXPECT_EQ(folder.read(upload("Demo-images/photo one.jpg")), "JPEG");

    for (const char* name : {"banner.gif", "caf\xE9.png", "toy.jpg"})
        folder.write(state.LocImg + "/" + name, "picture");
    state.catalogue.destroyProduct(*toys.products().back());
    ui.said.clear();
    EXPECT_EQ(exportShop(), ExportOutcome::Complete);
}

TEST_F(ExporterTest, ManyMissingPicturesAreCounted)
{
    TNewCategory& books = *state.catalogue.findByPath("Books");
    for (int i = 0; i < 25; ++i) {
        TNewProduct& product = state.catalogue.createProduct(books);
        product.setField("Picture", "p" + std::to_string(100 + i) + ".jpg", ui);
    }
    EXPECT_EQ(exportShop(), ExportOutcome::Incomplete);
    const std::string report = ui.texts().back();
    EXPECT_NE(report.find("The picture p119.jpg"), std::string::npos) << report;
    EXPECT_EQ(report.find("The picture p120.jpg"), std::string::npos) << report;
    EXPECT_NE(report.find("\n... and 5 more pictures that are no file of the image folder.\n"),
              std::string::npos)
        << report;
}

TEST_F(ExporterTest, FilesThatCannotBeCopiedAreListedAndLinksNeverLeadOutOfTheShop)
{
    folder.write("outside.txt", "secret");
    fs::create_symlink(folder.file("outside.txt"), shopFile("data/outside.txt"));
    fs::create_symlink(folder.file("outside.txt"), shopFile("admin.pass"));
    fs::create_symlink(folder.file("nowhere"), shopFile("data/broken.txt"));
    fs::create_symlink(shopFile("data/area.txt"), state.LocImg + "/area-link.txt");
    ASSERT_EQ(::mkfifo(shopFile("data/pipe").c_str(), 0600), 0);
    folder.write(shopFile("data/.htaccess"), "Deny from all\r\n");
    // What an interrupted save left stays behind without a word.
    folder.write(shopFile("data/.shop.data.qs-save-a1B2c3"), "half");

    EXPECT_EQ(exportShop(), ExportOutcome::Incomplete);
    EXPECT_EQ(ui.texts().back(),
              std::string(exportIncompleteHeading) + "\n" + shopFile("admin.pass") +
                  " is not a plain file and was not exported.\n" + shopFile("data/.htaccess") +
                  " is a hidden file and was not exported.\n" + shopFile("data/outside.txt") +
                  " leads out of the shop's folders and was not exported.\n" + shopFile("data/pipe") +
                  " is not a plain file (a pipe, socket or device) and was not exported.\n" +
                  FileError::cannotOpen(shopFile("data/broken.txt")).what() + "\n" +
                  std::string(exportIncompleteAdvice));
    EXPECT_EQ(namesIn(upload("Demo-cgi/data")), uploadData({"area.txt", "header_data.log", "shop.data"}));
    // A link within the shop brings its file, as a file.
    EXPECT_EQ(folder.read(upload("Demo-images/area-link.txt")), "UK\r\n");
    EXPECT_FALSE(fs::is_symlink(upload("Demo-images/area-link.txt")));
}

TEST_F(ExporterTest, NeverWritesThroughALinkThatLeadsOutOfTheUploadFolder)
{
    fs::create_directories(folder.file("elsewhere"));
    fs::create_directories(upload(""));
    fs::create_directory_symlink(folder.file("elsewhere"), upload("Demo-images"));
    fs::create_directories(upload("Demo-cgi"));
    folder.write("victim", "keep");
    fs::create_symlink(folder.file("victim"), upload("Demo-cgi/shop.pl"));

    EXPECT_EQ(exportShop(), ExportOutcome::Incomplete);
    EXPECT_EQ(ui.texts().back(), std::string(exportIncompleteHeading) + "\n" + upload("Demo-images") +
                                     " leads out of the upload directory; nothing was copied into it.\n" +
                                     std::string(exportIncompleteAdvice));
    EXPECT_TRUE(namesIn(folder.file("elsewhere")).empty());
    // The script replaced the link instead of being written through it.
    EXPECT_EQ(folder.read("victim"), "keep");
    EXPECT_FALSE(fs::is_symlink(upload("Demo-cgi/shop.pl")));
}

TEST_F(ExporterTest, AFailedSaveOrScriptCopyStopsTheExport)
{
    // shop.data cannot be written where a folder of that name stands.
    fs::create_directories(shopFile("data/shop.data"));
    EXPECT_EQ(exportShop(), ExportOutcome::NotSaved);
    EXPECT_EQ(ui.texts().back(), "There was a problem saving the catalogue file.\r\nCannot create file " +
                                     shopFile("data/shop.data") + ": Is a directory");
    EXPECT_FALSE(fs::exists(folder.file("upload")));

    fs::remove(shopFile("data/shop.data"));
    fs::remove(shopFile("list.txt"));
    ui.said.clear();
    EXPECT_THROW(exportShop(), FileError);
    EXPECT_EQ(ui.texts().back(),
              "There was an error processing the CGI list-file \"CGIFiles.txt\" while copying list.txt.");
    EXPECT_FALSE(fs::exists(upload("Demo-images")));
}

} // namespace
} // namespace qs
