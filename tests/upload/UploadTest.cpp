#include "core/publish/Upload.h"
#include "SshServer.h"
#include "TempFolder.h"
#include "core/app/AppState.h"
#include "core/publish/FetchOrders.h"
#include "core/publish/RemoteHost.h"
#include "core/publish/UploadManifest.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace qs {
namespace {

namespace fs = std::filesystem;
using test::SshServer;
using test::TempFolder;
using Paths = std::vector<std::string>;

// A shop's upload folder as the export leaves it, uploaded to a folder of
// the test's own through the loopback SSH server.
class UploadTest : public ::testing::Test {
protected:
    UploadTest() : state(folder.file("program"))
    {
        state.ShopName = "Demo";
        state.LocCGI = folder.file("cgi");
        settings = server.loginFor(folder.file("remote"));
        for (const auto& [name, bytes] : shopFiles)
            exported(name, bytes);
        fs::create_directories(folder.file("program/upload/Demo/Demo-cgi/data/orders"));
    }

    void exported(const std::string& name, const std::string& bytes)
    {
        fs::create_directories(fs::path(folder.file("program/upload/Demo/" + name)).parent_path());
        folder.write("program/upload/Demo/" + name, bytes);
    }
    std::string onHost(const std::string& name) const { return folder.file("remote/" + name); }

    UploadReport upload(UploadOptions options = {}, bool acceptNewHostKey = true)
    {
        RemoteHost host({settings, "", folder.file("known_hosts"), acceptNewHostKey});
        return runUpload(state, settings, host, options);
    }

    const std::vector<std::pair<std::string, std::string>> shopFiles = {
        {"Demo-cgi/Catalogue.pl", "#!/usr/bin/perl5\nprint 1;\n"},
        {"Demo-cgi/ShopPage.pm", "package ShopPage;\n1;\n"},
        {"Demo-cgi/qstl2.cfg", "sales_email=s@demo.test\r\nCGIPATH=/cgi-bin/Demo-cgi\r\n"},
        {"Demo-cgi/data/shop.data", "1\tTea\t2.50\r\n"},
        {"Demo-images/tea.gif", std::string(5000, 'g')},
    };
    TempFolder folder;
    SshServer server{folder};
    AppState state;
    UploadSettings settings;
};

int modeOf(const std::string& path)
{
    struct stat info {};
    stat(path.c_str(), &info);
    return int(info.st_mode & 07777);
}

TEST_F(UploadTest, SendsEverythingFirstThenOnlyWhatChangedOnEitherSide)
{
    Paths told;
    UploadOptions options;
    options.fileSent = [&](const std::string& path) { told.push_back(path); };
    const Paths everything = {"cgi/data/shop.data", "cgi/qstl2.cfg", "images/tea.gif", "cgi/Catalogue.pl",
                              "cgi/ShopPage.pm"};
    EXPECT_EQ(upload(options).sent, everything);
    EXPECT_EQ(told, everything);
    for (const auto& [name, bytes] : shopFiles) {
        const std::string path = onHost(name.starts_with("Demo-cgi") ? "cgi-bin/qstldb" + name.substr(8)
                                                                     : "images" + name.substr(11));
        EXPECT_EQ(folder.read(fs::relative(path, folder.path()).string()), bytes) << name;
    }
    const std::pair<const char*, int> modes[] = {
        {"cgi-bin/qstldb/Catalogue.pl", 0755}, {"cgi-bin/qstldb/ShopPage.pm", 0755},
        {"cgi-bin/qstldb/qstl2.cfg", 0644},    {"images/tea.gif", 0644},
        {"cgi-bin/qstldb/data", 0775},         {"cgi-bin/qstldb/data/orders", 0775},
        {"cgi-bin/qstldb/data/locks", 0775},   {"cgi-bin/qstldb", 0755},
    };
    for (const auto& [name, mode] : modes)
        EXPECT_EQ(modeOf(onHost(name)), mode) << name;

    EXPECT_EQ(upload().sent, Paths{});
    exported("Demo-cgi/data/shop.data", "1\tTea\t2.75\r\n");
    EXPECT_EQ(upload().sent, Paths{"cgi/data/shop.data"});

    // Changed and removed on the host: told, and sent again.
    folder.write("remote/cgi-bin/qstldb/qstl2.cfg", "changed on the host");
    fs::remove(onHost("images/tea.gif"));
    const UploadReport repaired = upload();
    EXPECT_EQ(repaired.changedOnHost, (Paths{"cgi/qstl2.cfg", "images/tea.gif"}));
    EXPECT_EQ(repaired.sent, (Paths{"cgi/qstl2.cfg", "images/tea.gif"}));
    EXPECT_EQ(folder.read("remote/cgi-bin/qstldb/qstl2.cfg"), shopFiles[2].second);

    // Found by content, whatever the date: a picture replaced by an older one of the same size.
    const std::string picture = folder.file("program/upload/Demo/Demo-images/tea.gif");
    const auto before = fs::last_write_time(picture);
    exported("Demo-images/tea.gif", std::string(5000, 'j'));
    fs::last_write_time(picture, before - std::chrono::hours(24 * 365));
    EXPECT_EQ(upload().sent, Paths{"images/tea.gif"});
    EXPECT_EQ(folder.read("remote/images/tea.gif"), std::string(5000, 'j'));

    // A file the shop no longer has stays on the host until the caller confirms.
    fs::remove(folder.file("program/upload/Demo/Demo-images/tea.gif"));
    UploadOptions dryRun;
    dryRun.dryRun = dryRun.deleteRemoved = true;
    EXPECT_EQ(upload(dryRun).deleted, Paths{"images/tea.gif"});
    UploadOptions declined;
    Paths offered;
    declined.confirmDeletion = [&](const Paths& paths) {
        offered = paths;
        return false;
    };
    EXPECT_EQ(upload(declined).noLongerInShop, Paths{"images/tea.gif"});
    EXPECT_EQ(offered, Paths{"images/tea.gif"});
    EXPECT_TRUE(fs::exists(onHost("images/tea.gif")));
    UploadOptions confirmed;
    confirmed.deleteRemoved = true;
    EXPECT_EQ(upload(confirmed).deleted, Paths{"images/tea.gif"});
    EXPECT_FALSE(fs::exists(onHost("images/tea.gif")));
    EXPECT_EQ(upload(confirmed).deleted, Paths{});
}

TEST_F(UploadTest, AnUploadCutMidFileLeavesNoHalfFileAndTheNextRunCompletes)
{
    std::string big(8 << 20, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = char(i * 7919 >> 5);
    exported("Demo-images/big.jpg", big);
    UploadOptions cut;
    std::uint64_t sentWhenCut = 0;
    cut.progress = [&](const UploadProgress& progress) {
        if (progress.file != "images/big.jpg" || progress.fileSent == 0)
            return true;
        sentWhenCut = progress.fileSent;
        return false;
    };
    EXPECT_THROW(upload(cut), UploadCancelled);
    EXPECT_GT(sentWhenCut, 0u);
    EXPECT_LT(sentWhenCut, big.size());
    EXPECT_FALSE(fs::exists(onHost("images/big.jpg")));
    EXPECT_FALSE(fs::exists(onHost("images/.big.jpg.part")));

    // What went before the cut is not sent again.
    const UploadReport rest = upload();
    EXPECT_EQ(std::count(rest.sent.begin(), rest.sent.end(), "images/big.jpg"), 1);
    EXPECT_EQ(std::count(rest.sent.begin(), rest.sent.end(), "cgi/data/shop.data"), 0);
    EXPECT_EQ(folder.read("remote/images/big.jpg"), big);
    EXPECT_EQ(upload().sent, Paths{});
}

TEST_F(UploadTest, FoldersTheHostHasKeepTheirModesAndOnlyFoldersMadeGetTheShopsOwn)
{
    fs::create_directories(onHost("cgi-bin/qstldb/data/orders"));
    fs::permissions(onHost("cgi-bin/qstldb"), fs::perms(0711));
    fs::permissions(onHost("cgi-bin/qstldb/data"), fs::perms(0750));
    fs::permissions(onHost("cgi-bin/qstldb/data/orders"), fs::perms(0730));
    upload();
    const std::pair<const char*, int> modes[] = {
        {"cgi-bin/qstldb", 0711}, {"cgi-bin/qstldb/data/orders", 0730}, {"cgi-bin/qstldb/data/locks", 0775},
        {"images", 0755},         {"cgi-bin/qstldb/data", 0750},
    };
    for (const auto& [name, mode] : modes)
        EXPECT_EQ(modeOf(onHost(name)), mode) << name;
}

TEST_F(UploadTest, TwoShopsKeepTheirOwnFoldersAndAnotherShopsFolderIsRefusedUnlessConfirmed)
{
    upload();
    const UploadSettings demo = settings;
    state.ShopName = "Other";
    const std::string otherSettings = "sales_email=s@other.test\r\nCGIPATH=/cgi-bin/Other-cgi\r\n";
    exported("../Other/Other-cgi/qstl2.cfg", otherSettings);
    exported("../Other/Other-cgi/Catalogue.pl", "#!/usr/bin/perl\nprint 2;\n");
    settings.cgiFolder = folder.file("remote/cgi-bin/Other-cgi");
    settings.imagesFolder = folder.file("remote/images/Other");
    EXPECT_EQ(upload().sent, (Paths{"cgi/qstl2.cfg", "cgi/Catalogue.pl"}));
    for (const auto& [name, bytes] : shopFiles) {
        if (name.starts_with("Demo-cgi")) {
            EXPECT_EQ(folder.read("remote/cgi-bin/qstldb" + name.substr(8)), bytes) << name;
        }
    }
    EXPECT_EQ(folder.read("remote/cgi-bin/Other-cgi/qstl2.cfg"), otherSettings);

    // Pointed at the first shop's folder, the second is refused before
    // anything is sent, or asked, and sent only on Yes.
    settings = demo;
    const std::string refusal =
        otherShopRefusal(settings.cgiFolder, "/cgi-bin/Demo-cgi");
    try {
        upload();
        ADD_FAILURE() << "uploaded into another shop's folder";
    } catch (const UploadError& error) {
        EXPECT_EQ(std::string(error.what()), refusal);
    }
    std::vector<std::string> asked;
    UploadOptions options;
    options.confirmOtherShop = [&](const std::string& question) {
        asked.push_back(question);
        return asked.size() > 1;
    };
    EXPECT_THROW(upload(options), UploadError);
    EXPECT_EQ(folder.read("remote/cgi-bin/qstldb/qstl2.cfg"), shopFiles[2].second);
    EXPECT_EQ(upload(options).sent, (Paths{"cgi/qstl2.cfg", "cgi/Catalogue.pl"}));
    EXPECT_EQ(asked, Paths(2, otherShopQuestion(settings.cgiFolder, "/cgi-bin/Demo-cgi")));
    EXPECT_EQ(folder.read("remote/cgi-bin/qstldb/qstl2.cfg"), otherSettings);
}

TEST_F(UploadTest, AnUnknownHostKeyWaitsForAcceptanceAndAChangedOneIsAlwaysRefused)
{
    const struct {
        const char* name;
        bool accept;
        bool changeKeyFirst;
        bool refused;
        HostKeyError::Kind kind;
    } cases[] = {
        {"unknown, not accepted", false, false, true, HostKeyError::Kind::Unknown},
        {"unknown, accepted", true, false, false, {}},
        {"known", false, false, false, {}},
        {"changed, accepting new keys", true, true, true, HostKeyError::Kind::Changed},
        {"changed", false, false, true, HostKeyError::Kind::Changed},
    };
    for (const auto& c : cases) {
        if (c.changeKeyFirst)
            server.changeHostKey();
        try {
            upload({}, c.accept);
            EXPECT_FALSE(c.refused) << c.name;
        } catch (const HostKeyError& error) {
            EXPECT_TRUE(c.refused) << c.name;
            EXPECT_EQ(error.kind, c.kind) << c.name;
            EXPECT_EQ(error.fingerprint, server.fingerprint()) << c.name;
            EXPECT_NE(std::string(error.what()).find(server.fingerprint()), std::string::npos) << c.name;
        }
    }
    // The changed key stopped the upload before anything was sent.
    EXPECT_EQ(readUploadManifest(uploadManifestFile(state), "").files.size(), 0u);
}

TEST_F(UploadTest, AWrongPasswordIsToldWithTheServersAnswer)
{
    settings.keyFile.clear();
    RemoteHost host({settings, "not the password", folder.file("known_hosts"), true});
    try {
        runUpload(state, settings, host, {});
        ADD_FAILURE() << "logged in";
    } catch (const UploadError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot log in to 127.0.0.1 as " + settings.user + ": Authentication failure");
    }
    EXPECT_FALSE(fs::exists(onHost("cgi-bin")));
}

TEST_F(UploadTest, FetchingOrdersTwiceFetchesNothingNewTheSecondTime)
{
    upload();
    const std::string orders = "remote/cgi-bin/qstldb/data/orders/";
    folder.write(orders + "2.order", "order=2\r\ndate=2026-12-08T10:05:00Z\r\nstatus=new\r\nname=Bo Li\r\n"
                                     "total=3.00\r\n");
    folder.write(orders + "10.order", "order=10\r\ndate=2026-12-08T11:00:00Z\r\nstatus=new\r\nname=Ann\r\n"
                                      "total=12.34\r\n");
    folder.write(orders + "notes.txt", "not an order");
    RemoteHost host({settings, "", folder.file("known_hosts"), false});
    const std::vector<FetchedOrder> first = fetchNewOrders(state, settings, host);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(orderLine(first[0]), "order 2: 2026-12-08T10:05:00Z Bo Li 3.00");
    EXPECT_EQ(orderLine(first[1]), "order 10: 2026-12-08T11:00:00Z Ann 12.34");
    EXPECT_EQ(folder.read("cgi/Demo-cgi/data/orders/10.order"), folder.read(orders + "10.order"));

    // An order fetched already is never replaced: its status changed on the
    // host, it is the same order; placed at another time, it is another one,
    // kept beside the first and told.
    const std::string local = "cgi/Demo-cgi/data/orders/";
    const std::string firstTwo = folder.read(local + "2.order");
    folder.write(orders + "2.order", "order=2\r\ndate=2026-12-08T10:05:00Z\r\nstatus=dispatched\r\nname=Bo Li\r\n"
                                     "total=3.00\r\n");
    EXPECT_TRUE(fetchNewOrders(state, settings, host).empty());
    EXPECT_EQ(folder.read(local + "2.order"), firstTwo);
    const std::string secondTwo = "order=2\r\ndate=2026-12-09T09:00:00Z\r\nstatus=new\r\nname=Cy Ng\r\n"
                                  "total=7.00\r\n";
    folder.write(orders + "2.order", secondTwo);
    const std::vector<FetchedOrder> again = fetchNewOrders(state, settings, host);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].file, "2-2.order");
    EXPECT_TRUE(again[0].numberTakenBefore);
    EXPECT_EQ(folder.read(local + "2-2.order"), secondTwo);
    EXPECT_EQ(folder.read(local + "2.order"), firstTwo);
    EXPECT_TRUE(fetchNewOrders(state, settings, host).empty());
    Paths files;
    for (const FetchedOrder& order : fetchedOrders(state))
        files.push_back(order.file);
    EXPECT_EQ(files, (Paths{"2.order", "2-2.order", "10.order"}));
}

} // namespace
} // namespace qs
