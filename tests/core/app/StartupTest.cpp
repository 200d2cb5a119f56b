#include "core/app/Startup.h"
#include "ScriptedUserInterface.h"
#include "core/app/AppState.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qs {
namespace {

using test::ScriptedUserInterface;
using test::TempFolder;

TEST(StartupTest, AFirstStartTakesTheFallbackFoldersAndWritesTheLocationFile)
{
    TempFolder folder;
    AppState state(folder.path().string());
    ScriptedUserInterface ui;
    ASSERT_TRUE(StartUp(state, ui));
    EXPECT_TRUE(ui.said.empty());
    EXPECT_EQ(state.LocCGI, folder.file("Apache/cgi-bin/qstldb"));
    EXPECT_EQ(state.LocImg, folder.file("Apache/htdocs/images"));
    EXPECT_EQ(state.LocImgURL, "/images");
    EXPECT_EQ(state.RemPerlPath, "/usr/bin/perl");
    EXPECT_EQ(NameValueList::fromFile(folder.file("location.cfg")).value("LocCGI"), state.LocCGI);
    // The dialog has never been shown: nothing is added to the default settings.
    EXPECT_EQ(state.ShopFields, ShopSettings());
}

TEST(StartupTest, ReadsTheFieldDefinitionsFromUnderTheCgiFolder)
{
    TempFolder folder;
    std::filesystem::create_directories(folder.file("cgi/data"));
    // A location file of an earlier version keeps the Perl path it names.
    folder.write("location.cfg", "LocCGI=" + folder.file("cgi") + "\r\nRemPerlPath=/usr/bin/perl5\r\n");
    folder.write("cgi/data/fieldinfo.data",
                 "Price=Standard,Mandatory,,,,No\r\nColour=Custom,Optional,,,,No\r\n");
    AppState state(folder.path().string());
    ScriptedUserInterface ui;
    ASSERT_TRUE(StartUp(state, ui));
    EXPECT_EQ(state.InfoList.count(), 2u);
    EXPECT_EQ(state.InfoList.FieldNameAt(1), "Colour");
    EXPECT_EQ(state.RemPerlPath, "/usr/bin/perl5");
    EXPECT_EQ(NameValueList::fromFile(folder.file("location.cfg")).value("RemPerlPath"), "/usr/bin/perl5");
}

TEST(StartupTest, ALocationFileThatCannotBeWrittenEndsStartUp)
{
    TempFolder folder;
    AppState state(folder.file("not-there"));
    ScriptedUserInterface ui;
    EXPECT_FALSE(StartUp(state, ui));
    EXPECT_EQ(ui.texts(),
              std::vector<std::string>{"Cannot create file " + folder.file("not-there/location.cfg") +
                                       ": No such file or directory"});
}

} // namespace
} // namespace qs
