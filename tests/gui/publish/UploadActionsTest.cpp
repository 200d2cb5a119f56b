#include "gui/publish/UploadActions.h"

#include "GuiTestSupport.h"
#include "ModalWait.h"
#include "ScriptedUserInterface.h"
#include "ServerProcess.h"
#include "SshServer.h"
#include "TempFolder.h"
#include "core/app/AppState.h"
#include "core/app/Startup.h"
#include "core/publish/UploadSettings.h"
#include "gui/app/ShopActions.h"
#include "gui/app/TCMForm.h"
#include "gui/catalogue/grids/CatalogueGrids.h"
#include "gui/catalogue/grids/ProductGridModel.h"
#include "gui/publish/PublishActions.h"
#include "gui/publish/TOrdersForm.h"
#include "gui/publish/TUploadSettingsForm.h"
#include "gui/publish/UploadPasswords.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextBrowser>
#include <QToolButton>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

namespace qs::gui {
namespace {

namespace fs = std::filesystem;

class MemoryPasswords : public UploadPasswords {
public:
    std::map<std::string, std::string> kept;
    bool answers = true;
    std::optional<std::string> read(const std::string& login) override
    {
        const auto found = kept.find(login);
        return answers && found != kept.end() ? std::optional(found->second) : std::nullopt;
    }
    bool store(const std::string& login, const std::string& password, std::string& reason) override
    {
        reason = "no keyring on this desktop";
        if (answers)
            kept[login] = password;
        return answers;
    }
    void forget(const std::string& login) override { kept.erase(login); }
};

// The desktop program with a new shop "Demo" that can be exported, its web
// host an SSH server on loopback that keeps the shop in a folder of the test.
class UploadActionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fs::exists(qs::test::sshServerProgram))
            GTEST_SKIP() << "no SSH server";
        fs::copy(QUAYSTALL_SHARE_PROGRAM, folder.path() / "program", fs::copy_options::recursive);
        folder.write("program/settings.cfg", "colour=blue\r\n");
        state = std::make_unique<AppState>(folder.file("program"));
        form = std::make_unique<TCMForm>(*state, &ui);
        shop = std::make_unique<ShopActions>(*form, *state, ui);
        publish = std::make_unique<PublishActions>(*form, *state, ui, *shop);
        actions = std::make_unique<UploadActions>(*form, *state, ui, *publish, passwords);
        actions->passwordPrompt = [](const QString&) -> std::optional<std::string> {
            ADD_FAILURE() << "the password asked for";
            return std::nullopt;
        };
        ASSERT_TRUE(StartUp(*state, ui));
        form->show();
        ui.inputs = {std::string("Demo")};
        form->actions().newShop->trigger();
        ASSERT_TRUE(form->isShopOpen());
        state->ShopFields.setValue("sales_email", "sales@demo.test");
        state->ShopFields.setValue("tech_email", "tech@demo.test");
        state->ShopFields.setValue("shipmethod", "percentage");
        state->ShopFields.setValue("shippercent", "5");
        ui.said.clear();
    }

    void TearDown() override
    {
        actions.reset();
        publish.reset();
        shop.reset();
        form.reset();
    }

    UploadSettings hostSettings() const { return server.loginFor(folder.file("host")); }

    // Types the price of the selected category's first product, as the grid stores it.
    void setPrice(const QString& price)
    {
        ProductGridModel& products = form->grids().productModel();
        for (int c = 0; c < products.columnCount(); ++c) {
            if (products.grid().field(c) == "Price") {
                ASSERT_TRUE(products.setData(products.index(0, c), price, Qt::EditRole));
            }
        }
    }

    // Uploads with the answers given; the last thing told.
    std::string upload(std::deque<Answer> answers)
    {
        ui.said.clear();
        ui.answers = std::move(answers);
        form->UploadBtn->click();
        EXPECT_TRUE(ui.answers.empty()) << "unasked answers left";
        return ui.said.empty() ? std::string() : ui.said.back().text;
    }

    qs::test::TempFolder folder;
    qs::test::SshServer server{folder};
    qs::test::ScriptedUserInterface ui;
    MemoryPasswords passwords;
    std::unique_ptr<AppState> state;
    std::unique_ptr<TCMForm> form;
    std::unique_ptr<ShopActions> shop;
    std::unique_ptr<PublishActions> publish;
    std::unique_ptr<UploadActions> actions;
};

TEST_F(UploadActionsTest, TheFirstUploadAsksForTheSettingsAndTheHostKeyTheNextSendsOnlyTheChange)
{
    form->actions().addCategory->trigger();
    form->actions().newProduct->trigger();
    setPrice("2.50");
    const UploadSettings settings = hostSettings();
    test::whenModalShows<TUploadSettingsForm>([&](TUploadSettingsForm* dialog) {
        dialog->HostEdit->setText("127.0.0.1");
        dialog->PortEdit->setValue(settings.port);
        dialog->UserEdit->setText(QString::fromStdString(settings.user));
        dialog->KeyFileEdit->setText(QString::fromStdString(settings.keyFile));
        dialog->CGIFolderEdit->setText(QString::fromStdString(settings.cgiFolder));
        dialog->ImagesFolderEdit->setText(QString::fromStdString(settings.imagesFolder));
        dialog->OKBtn->click();
    });
    // Export the shop though it charges no VAT, and accept the host's key.
    const std::string first = upload({Answer::Yes, Answer::Yes});
    EXPECT_EQ(loadUploadSettings(*state), settings);
    const auto hostKeyQuestion = std::find_if(ui.said.begin(), ui.said.end(), [](const auto& said) {
        return said.text.starts_with("The web host's key is not known yet.");
    });
    ASSERT_NE(hostKeyQuestion, ui.said.end());
    EXPECT_NE(hostKeyQuestion->text.find(server.fingerprint()), std::string::npos) << hostKeyQuestion->text;
    EXPECT_TRUE(first.starts_with("Your shop is on your web host: ")) << ::testing::PrintToString(ui.texts());
    struct stat script {};
    ASSERT_EQ(stat(folder.file("host/cgi-bin/qstldb/Catalogue.pl").c_str(), &script), 0);
    EXPECT_EQ(script.st_mode & 0777, 0755u);
    EXPECT_TRUE(fs::exists(folder.file("host/images/logo.gif")));

    // A price typed but not saved goes with the next upload, alone.
    setPrice("3.10");
    EXPECT_EQ(upload({Answer::Yes}), "Your shop is on your web host: 1 file sent.");
    EXPECT_NE(folder.read("host/cgi-bin/qstldb/data/shop.data").find("3.10"), std::string::npos);
    EXPECT_EQ(upload({}), "Your web host has your shop as it is: no file needed sending.");
}

TEST_F(UploadActionsTest, FilesTheShopNoLongerHasGoOnlyWhenTheMerchantAgrees)
{
    saveUploadSettings(*state, hostSettings());
    fs::create_directories(folder.file("host/cgi-bin/qstldb"));
    const std::string picture = state->LocImg + "/old.gif";
    std::ofstream(picture) << "GIF89a";
    upload({Answer::Yes});
    ASSERT_TRUE(fs::exists(folder.file("host/images/old.gif")));
    fs::remove(picture);
    fs::remove(folder.file("program/upload/Demo/Demo-images/old.gif"));
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        const std::string told = upload({answer});
        const auto asked =
            std::find_if(ui.said.begin(), ui.said.end(), [](const auto& said) { return said.question; });
        ASSERT_NE(asked, ui.said.end());
        EXPECT_NE(asked->text.find("images/old.gif"), std::string::npos) << asked->text;
        EXPECT_EQ(fs::exists(folder.file("host/images/old.gif")), answer == Answer::No) << told;
    }
}

TEST_F(UploadActionsTest, AnExportThatCouldNotBuildEverythingUploadsNothing)
{
    saveUploadSettings(*state, hostSettings());
    std::ofstream(state->LocImg + "/.hidden") << "not the shop's";
    EXPECT_TRUE(upload({}).starts_with("Nothing was uploaded: ")) << ::testing::PrintToString(ui.texts());
    EXPECT_FALSE(fs::exists(folder.file("host/cgi-bin")));
}

// A plain FTP host on loopback whose login is merchant / right.
class PasswordLoginTest : public UploadActionsTest {
protected:
    void SetUp() override
    {
        UploadActionsTest::SetUp();
        const int port = qs::test::freeLoopbackPort();
        fs::create_directories(folder.file("host"));
        ftpServer.start({"/usr/bin/python3", QUAYSTALL_TESTS_SOURCE "/upload/ftp_server.py", "--port",
                         std::to_string(port), "--root", folder.file("host"), "--user", "merchant",
                         "--password", "right"},
                        port, folder.file("ftp.log"));
        settings.protocol = UploadSettings::Protocol::Ftp;
        settings.host = "127.0.0.1";
        settings.port = port;
        settings.user = "merchant";
        settings.cgiFolder = "cgi";
        settings.imagesFolder = "images";
        saveUploadSettings(*state, settings);
        login = uploadPasswordName(*state, settings);
    }

    qs::test::ServerProcess ftpServer;
    UploadSettings settings;
    std::string login;
};

TEST_F(PasswordLoginTest, APasswordNotKeptIsAskedForAndKeptOnceItLogsIn)
{
    const struct {
        std::optional<std::string> typed;
        const char* told;
        bool kept;
    } cases[] = {
        {std::nullopt, "", false},
        {"wrong", "Cannot log in to 127.0.0.1 as merchant: ", false},
        {"right", "Your shop is on your web host: ", true},
    };
    for (const auto& c : cases) {
        actions->passwordPrompt = [&](const QString&) { return c.typed; };
        EXPECT_TRUE(upload({}).starts_with(c.told)) << c.told;
        EXPECT_EQ(passwords.kept.contains(login), c.kept) << c.told;
        EXPECT_EQ(fs::exists(folder.file("host/cgi/Catalogue.pl")), c.kept) << c.told;
    }
    actions->passwordPrompt = [](const QString&) -> std::optional<std::string> {
        ADD_FAILURE() << "asked again";
        return std::nullopt;
    };
    EXPECT_EQ(upload({}), "Your web host has your shop as it is: no file needed sending.");
}

TEST_F(PasswordLoginTest, AKeptPasswordThatStoppedWorkingIsAskedForAgainAndReplacedOnlyOnceItLogsIn)
{
    passwords.kept[login] = "old";
    const struct {
        std::optional<std::string> typed;
        const char* told;
        const char* kept;
    } cases[] = {
        {std::nullopt, "", "old"},
        {"wrong", "Cannot log in to 127.0.0.1 as merchant: ", "old"},
        {"right", "Your shop is on your web host: ", "right"},
    };
    for (const auto& c : cases) {
        QString asked;
        actions->passwordPrompt = [&](const QString& prompt) {
            asked = prompt;
            return c.typed;
        };
        EXPECT_TRUE(upload({}).starts_with(c.told)) << c.told;
        EXPECT_TRUE(asked.startsWith("The password kept for merchant on 127.0.0.1 did not log in (Cannot log in"))
            << asked.toStdString();
        EXPECT_EQ(passwords.kept[login], c.kept) << c.told;
    }
}

TEST_F(PasswordLoginTest, WithoutAKeyringThePasswordTypedInTheSettingsServesUntilTheProgramCloses)
{
    passwords.answers = false;
    TUploadSettingsForm& dialog = actions->settingsForm();
    test::whenModalShows<TUploadSettingsForm>([&](TUploadSettingsForm*) {
        dialog.PasswordEdit->setText("right");
        dialog.OKBtn->click();
    });
    ui.said.clear();
    form->actions().uploadSettings->trigger();
    ASSERT_EQ(ui.texts().size(), 1u);
    EXPECT_EQ(ui.texts()[0], "Your desktop's keyring did not take the password (no keyring on this desktop). It is "
                             "used until the program closes, then asked for again.");
    EXPECT_TRUE(upload({}).starts_with("Your shop is on your web host: ")) << ::testing::PrintToString(ui.texts());

    // Forgotten, it is asked for again.
    passwords.answers = true;
    test::whenModalShows<TUploadSettingsForm>([&](TUploadSettingsForm*) {
        EXPECT_TRUE(dialog.ForgetPasswordBtn->isEnabled());
        dialog.ForgetPasswordBtn->click();
        EXPECT_FALSE(dialog.ForgetPasswordBtn->isEnabled());
        dialog.OKBtn->click();
    });
    form->actions().uploadSettings->trigger();
    bool asked = false;
    actions->passwordPrompt = [&](const QString&) -> std::optional<std::string> {
        asked = true;
        return std::nullopt;
    };
    upload({});
    EXPECT_TRUE(asked);
}

TEST_F(UploadActionsTest, FetchOrdersListsEveryFetchedOrderTheNewOnesFirstChosenAndPrintsIt)
{
    saveUploadSettings(*state, hostSettings());
    upload({Answer::Yes});
    folder.write("host/cgi-bin/qstldb/data/orders/7.order",
                 "order=7\r\ndate=2026-12-08T10:05:00Z\r\nstatus=new\r\nname=<b>Ann</b>\r\n"
                 "address=1 Quay<br>Hull\r\ncurrency=GBP\r\ntotal=12.50\r\n"
                 "line=2\tK1\tKite\t\tColour: Red\t10.00\r\nkey=secret-basket\r\n");
    form->actions().fetchOrders->trigger();
    TOrdersForm& orders = actions->ordersForm();
    EXPECT_EQ(orders.SummaryLabel->text(), "1 new order fetched from your web host.");
    ASSERT_EQ(orders.OrderGrid->rowCount(), 1);
    EXPECT_EQ(orders.OrderGrid->item(0, 1)->text(), "2026-12-08 10:05 UTC");
    EXPECT_EQ(orders.OrderGrid->item(0, 2)->text(), "<b>Ann</b>");
    const QString shown = orders.OrderView->toPlainText();
    for (const char* expected :
         {"Order 7", "<b>Ann</b>", "1 Quay\nHull", "Kite", "Colour: Red", "\u00a312.50"})
        EXPECT_TRUE(shown.contains(QString::fromUtf8(expected))) << expected << "\n" << shown.toStdString();
    EXPECT_FALSE(shown.contains("secret-basket"));

    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(folder.file("order.pdf")));
    orders.print(printer);
    EXPECT_GT(fs::file_size(folder.file("order.pdf")), 1000u);

    form->actions().fetchOrders->trigger();
    EXPECT_EQ(orders.SummaryLabel->text(), "No new orders on your web host.");
    EXPECT_EQ(orders.OrderGrid->rowCount(), 1);

    // The orders are the shop's: closing it closes them.
    EXPECT_TRUE(orders.isVisible());
    ui.answers = {Answer::No};
    form->actions().closeShop->trigger();
    ASSERT_FALSE(form->isShopOpen());
    EXPECT_FALSE(orders.isVisible());
}

TEST_F(UploadActionsTest, TheSettingsDialogWarnsOfPlainFtpAndKeepsThePasswordOnlyInTheKeyring)
{
    TUploadSettingsForm& dialog = actions->settingsForm();
    for (const bool keyringAnswers : {true, false}) {
        passwords.answers = keyringAnswers;
        ui.said.clear();
        test::whenModalShows<TUploadSettingsForm>([&](TUploadSettingsForm*) {
            ui.answers = {Answer::No, Answer::Yes};
            dialog.ProtocolBox->setCurrentIndex(0);
            dialog.ProtocolBox->setCurrentIndex(2);
            EXPECT_EQ(dialog.ProtocolBox->currentIndex(), 0) << "declined";
            dialog.ProtocolBox->setCurrentIndex(2);
            EXPECT_EQ(dialog.ProtocolBox->currentIndex(), 2) << "accepted";
            dialog.HostEdit->setText("ftp.demo.test");
            dialog.UserEdit->setText("demo");
            dialog.PasswordEdit->setText("s3cret");
            dialog.OKBtn->click();
        });
        form->actions().uploadSettings->trigger();
        const UploadSettings kept = loadUploadSettings(*state);
        EXPECT_EQ(kept.protocol, UploadSettings::Protocol::Ftp);
        EXPECT_EQ(passwords.read(uploadPasswordName(*state, kept)).value_or(""),
                  keyringAnswers ? "s3cret" : "");
        std::ifstream file(uploadSettingsFile(*state));
        const std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_EQ(written.find("s3cret"), std::string::npos) << written;
        EXPECT_EQ(ui.said.size(), keyringAnswers ? 2u : 3u) << "the keyring's refusal is told";
    }
}

} // namespace
} // namespace qs::gui
