#include "core/app/Location.h"
#include "core/app/AppState.h"
#include "TempFolder.h"
#include "core/text/FileError.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace qs {
namespace {

using test::TempFolder;

class LocationTest : public ::testing::Test {
protected:
    LocationTest() : state(folder.path().string()) {}

    std::vector<std::string> values() const
    {
        return {state.LocCGI, state.LocImg,  state.LocImgURL, state.LocPerlPath,
                state.RemCGI, state.RemData, state.RemImgURL, state.RemPerlPath};
    }

    TempFolder folder;
    AppState state;
};

TEST_F(LocationTest, ReadsEachKeyAndEmptiesTheAbsentOnes)
{
    struct Case {
        const char* file;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"LocCGI=X\r\n", {"X", "", "", "", "", "", "", ""}},
        {"loccgi=a\nlocimg=b\nlocimgurl=c\nlocperlpath=d\nremcgi=e\nremdata=f\nremimgurl=g\nremperlpath=h\n",
         {"a", "b", "c", "d", "e", "f", "g", "h"}},
        {"LocImgURL=/x=y\rRemData=data\r", {"", "", "/x=y", "", "", "data", "", ""}},
        {"Startup=1\r\nLocCGI=first\r\nLocCGI=second\r\n", {"first", "", "", "", "", "", "", ""}},
        {"", {"", "", "", "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        LoadLocation(state, folder.write("location.cfg", c.file));
        EXPECT_EQ(values(), c.expected) << c.file;
    }
}

TEST_F(LocationTest, AMissingFileGivesTheFallbackFoldersAndIsWrittenAnew)
{
    state.LocImgURL = "";
    state.RemCGI = "/cgi";
    LoadLocation(state, folder.file("location.cfg"));

    const std::string root = folder.path().string();
    EXPECT_EQ(state.LocCGI, root + "/Apache/cgi-bin/qstldb");
    EXPECT_EQ(state.LocImg, root + "/Apache/htdocs/images");
    EXPECT_EQ(state.RemCGI, "/cgi");
    EXPECT_EQ(folder.read("location.cfg"), "LocCGI=" + root + "/Apache/cgi-bin/qstldb\r\nLocImg=" + root +
                                               "/Apache/htdocs/images\r\nLocPerlPath=/usr/bin/perl\r\n"
                                               "RemCGI=/cgi\r\nRemData=data\r\nRemImgURL=/images\r\n"
                                               "RemPerlPath=/usr/bin/perl\r\nStartup=0\r\n");
}

TEST_F(LocationTest, AFileThatCanBeNeitherReadNorWrittenThrows)
{
    const std::string path = folder.file("missing/location.cfg");
    try {
        LoadLocation(state, path);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + path + ": No such file or directory");
    }
}

TEST_F(LocationTest, SavesTheNineKeysInOrderWithoutEmptyValues)
{
    state.LocCGI = "/srv/cgi";
    state.LocImg = "";
    state.LocImgURL = "";
    state.locationDetails.hiddenAtStartup = true;
    SaveLocation(state, folder.file("location.cfg"));
    EXPECT_EQ(folder.read("location.cfg"),
              "LocCGI=/srv/cgi\r\nLocPerlPath=/usr/bin/perl\r\nRemCGI=/cgi-bin\r\n"
              "RemData=data\r\nRemImgURL=/images\r\n"
              "RemPerlPath=/usr/bin/perl\r\nStartup=1\r\n");

    state.LocImgURL = "was here";
    LoadLocation(state, folder.file("location.cfg"));
    EXPECT_EQ(state.LocImgURL, "");
    EXPECT_EQ(state.LocCGI, "/srv/cgi");
}

// Leaving writes the values taken earlier: a file that holds them already
// is left alone (the same file, not a new one renamed over it).
TEST_F(LocationTest, SavedValuesReplaceOnlyAFileThatHoldsOthers)
{
    const std::string path = folder.file("location.cfg");
    SaveLocation(state, path); // Startup=0
    const auto inode = [&] {
        struct stat file {};
        ::stat(path.c_str(), &file);
        return file.st_ino;
    };
    const auto before = inode();
    for (const bool startupHidden : {false, true}) {
        SaveLocation(locationValues(state), startupHidden, path);
        EXPECT_EQ(inode() == before, !startupHidden) << startupHidden;
        EXPECT_EQ(NameValueList::fromFile(path).value("Startup"), startupHidden ? "1" : "0") << startupHidden;
    }
}

TEST_F(LocationTest, StoreDetailsCopiesOnlyTheChosenMailMethod)
{
    LocationDetails& details = state.locationDetails;
    details.mailProgram = "/usr/sbin/sendmail";
    details.webServer = "www.example.com";
    details.smtpServer = "smtp.example.com";

    details.mailMethod = LocationDetails::SystemMail;
    StoreDetails(state);
    EXPECT_EQ(state.ShopFields.value("mailprogram"), "/usr/sbin/sendmail");
    EXPECT_FALSE(state.ShopFields.contains("web_server"));

    details.mailMethod = LocationDetails::SmtpServer;
    StoreDetails(state);
    EXPECT_EQ(state.ShopFields.value("web_server"), "www.example.com");
    EXPECT_EQ(state.ShopFields.value("smtp_server"), "smtp.example.com");
    EXPECT_EQ(state.ShopFields.value("mailprogram"), "/usr/sbin/sendmail");
}

TEST_F(LocationTest, StoreDetailsAtStartUpLeavesTheDefaultListAlone)
{
    const NameValueList before = state.ShopFields;
    StoreDetails(state);
    EXPECT_EQ(state.ShopFields, before);
}

TEST_F(LocationTest, LocationDetailsUsesTheOpenShopsFileOnlyWhileAShopIsOpen)
{
    state.LocCGI = "/cgi";
    state.ShopName = "Demo";
    EXPECT_EQ(currentLocationFile(state), folder.file("location.cfg"));
    state.locationWithoutShop = locationValues(state);
    EXPECT_EQ(currentLocationFile(state), "/cgi/Demo-cgi/location.cfg");
}

} // namespace
} // namespace qs
