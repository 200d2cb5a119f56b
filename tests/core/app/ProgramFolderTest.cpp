#include "core/app/ProgramFolder.h"
#include "ScriptedUserInterface.h"
#include "TempFolder.h"
#include "core/app/ProgramFolderUpdate.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

namespace qs {
namespace {

namespace fs = std::filesystem;
using test::ScriptedUserInterface;
using test::TempFolder;

// A small master copy: scripts and their lists, starting data, a picture,
// a tool-bar bitmap and a help page.
const std::map<std::string, std::string> masterFiles = {
    {"Apache/cgi-bin/qstldb/Catalogue.pl", "#!/usr/bin/perl\nnew catalogue\n"},
    {"Apache/cgi-bin/qstldb/ShopPage.pm", "new page\n"},
    {"Apache/cgi-bin/qstldb/AllCGIFiles.txt", "Catalogue.pl\nShopPage.pm\nCGIFiles.txt\n"},
    {"Apache/cgi-bin/qstldb/CGIFiles.txt", "Catalogue.pl\nShopPage.pm\n"},
    {"Apache/cgi-bin/qstldb/data/countries.tax", "new countries\n"},
    {"Apache/htdocs/images/logo.gif", "GIF new"},
    {"Buttons/save-on.bmp", "BM new"},
    {"Help/index.html", "<p>new help</p>"},
};

// A master copy, and the places of a start with neither --program-dir nor a
// program folder as the working folder.
struct Start {
    Start()
    {
        for (const auto& [path, bytes] : masterFiles)
            write("master/" + path, bytes);
        fs::create_directories(folder.file("work"));
        places = {.chosen = "",
                  .workingFolder = folder.file("work"),
                  .dataHome = folder.file("data"),
                  .home = folder.file("home"),
                  .masterCopy = folder.file("master"),
                  .version = "2.00"};
    }

    void write(const std::string& path, const std::string& bytes) const
    {
        fs::create_directories(fs::path(folder.file(path)).parent_path());
        folder.write(path, bytes);
    }

    // The files under a folder, by path relative to it, with their bytes.
    std::map<std::string, std::string> filesUnder(const std::string& root) const
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file())
                files[entry.path().lexically_relative(root).string()] =
                    folder.read(fs::path(entry.path()).lexically_relative(folder.path()).string());
        return files;
    }

    TempFolder folder;
    ProgramFolderPlaces places;
    ScriptedUserInterface ui;
};

class ProgramFolderTest : public ::testing::Test, protected Start {};

TEST_F(ProgramFolderTest, ChoosesAndMakesTheFolder)
{
    struct Case {
        const char* name;
        std::function<void(Start&)> arrange;
        std::string expected; // relative to the test's folder
    };
    const Case cases[] = {
        {"the user's own under XDG_DATA_HOME", [](auto&) {}, "data/quaystall"},
        {"the user's own under HOME without XDG_DATA_HOME", [](auto& t) { t.places.dataHome.clear(); },
         "home/.local/share/quaystall"},
        {"a relative XDG_DATA_HOME counts as unset", [](auto& t) { t.places.dataHome = "relative/data"; },
         "home/.local/share/quaystall"},
        {"--program-dir before all", [](auto& t) { t.places.chosen = t.folder.file("elsewhere/shops"); },
         "elsewhere/shops"},
        {"a working folder that is no program folder",
         [](auto& t) { t.write("work/Buttons/save-on.bmp", "BM"); }, "data/quaystall"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start t;
        c.arrange(t);
        const std::optional<std::string> chosen = prepareProgramFolder(t.places, t.ui);
        ASSERT_TRUE(chosen);
        EXPECT_EQ(*chosen, t.folder.file(c.expected));
        EXPECT_TRUE(t.ui.said.empty());
        std::map<std::string, std::string> expected = masterFiles;
        expected["program-version.txt"] = "2.00\n";
        EXPECT_EQ(t.filesUnder(*chosen), expected);
    }
}

TEST_F(ProgramFolderTest, AProgramFolderNotMadeByTheProgramIsUsedAsItIs)
{
    struct Case {
        const char* name;
        bool chosen; // by --program-dir, else as the working folder
    };
    for (const Case c : {Case{"as the working folder", false}, Case{"named with --program-dir", true}}) {
        SCOPED_TRACE(c.name);
        Start t;
        t.write("work/Apache/cgi-bin/qstldb/Catalogue.pl", "a copy of the master's, changed");
        t.write("work/Buttons/save-on.bmp", "BM");
        if (c.chosen) {
            t.places.chosen = t.places.workingFolder;
            t.places.workingFolder = t.folder.file("home");
        }
        const auto before = t.filesUnder(t.folder.file("work"));
        EXPECT_EQ(prepareProgramFolder(t.places, t.ui), t.folder.file("work"));
        EXPECT_EQ(t.filesUnder(t.folder.file("work")), before);
        EXPECT_TRUE(t.ui.said.empty());
    }
}

TEST_F(ProgramFolderTest, AnUpgradeAddsWhatIsMissingAndReplacesOnlyTheScripts)
{
    const std::string user = "data/quaystall/";
    // A folder the program made at version 1.00, used since.
    const std::map<std::string, std::string> merchants = {
        {"program-version.txt", "1.00\n"},
        {"location.cfg", "LocCGI=/somewhere\r\n"},
        {"settings.cfg", "mine\r\n"},
        {"shops/Demo/marker", ""},
        {"Apache/cgi-bin/qstldb/Demo-cgi/Catalogue.pl", "the shop's own copy"},
        {"Apache/cgi-bin/qstldb/Demo-cgi/qstl2.cfg", "company=Demo\r\n"},
        {"Apache/cgi-bin/qstldb/data/countries.tax", "countries the merchant edited\n"},
        {"Apache/cgi-bin/qstldb/Retired.pl", "a script the master no longer has"},
        {"Apache/htdocs/images/Demo-images/logo.gif", "the shop's logo"},
        {"Apache/htdocs/images/logo.gif", "GIF old"},
        {"Buttons/save-on.bmp", "BM old"},
        {"Apache/cgi-bin/qstldb/Catalogue.pl", "old catalogue"},
        {"Apache/cgi-bin/qstldb/ShopPage.pm", "old page\n"},
        {"Apache/cgi-bin/qstldb/CGIFiles.txt", "Catalogue.pl\n"},
    };
    for (const auto& [path, bytes] : merchants)
        write(user + path, bytes);

    EXPECT_EQ(prepareProgramFolder(places, ui), folder.file("data/quaystall"));
    EXPECT_TRUE(ui.said.empty());
    std::map<std::string, std::string> expected = merchants;
    for (const auto& [path, bytes] : masterFiles)
        if (replacedByMaster(path) || !expected.contains(path))
            expected[path] = bytes;
    expected["program-version.txt"] = "2.00\n";
    const auto after = filesUnder(folder.file("data/quaystall"));
    EXPECT_EQ(after, expected);
    // Spelled out, what the rules above decided.
    EXPECT_EQ(after.at("Apache/cgi-bin/qstldb/Catalogue.pl"),
              masterFiles.at("Apache/cgi-bin/qstldb/Catalogue.pl"));
    EXPECT_EQ(after.at("Apache/cgi-bin/qstldb/ShopPage.pm"), "new page\n");
    EXPECT_EQ(after.at("Apache/cgi-bin/qstldb/data/countries.tax"), "countries the merchant edited\n");
    EXPECT_EQ(after.at("Help/index.html"), "<p>new help</p>");
    EXPECT_EQ(after.at("Buttons/save-on.bmp"), "BM new");

    // Once for each version: the same version again changes nothing.
    write(user + "Apache/cgi-bin/qstldb/Catalogue.pl", "changed by hand");
    EXPECT_EQ(prepareProgramFolder(places, ui), folder.file("data/quaystall"));
    EXPECT_EQ(folder.read(user + "Apache/cgi-bin/qstldb/Catalogue.pl"), "changed by hand");
}

TEST_F(ProgramFolderTest, TheScriptsTheMasterReplaces)
{
    const std::pair<const char*, bool> cases[] = {
        {"Apache/cgi-bin/qstldb/Catalogue.pl", true},
        {"Apache/cgi-bin/qstldb/ShopPage.pm", true},
        {"Apache/cgi-bin/qstldb/AllCGIFiles.txt", true},
        {"Apache/cgi-bin/qstldb/CGIFiles.txt", true},
        {"Apache/cgi-bin/qstldb/data/countries.tax", false},
        {"Apache/cgi-bin/qstldb/data/Script.pl", false},
        {"Apache/cgi-bin/qstldb/Demo-cgi/Catalogue.pl", false},
        {"Apache/cgi-bin/qstldb/notes.txt", false},
        {"Catalogue.pl", false},
        {"Help/index.html", true},
        {"Buttons/save-on.bmp", true},
        {"lighttpd/preview.conf", true},
        {"lighttpd/mine.conf", false},
        {"Help", false},
        {"settings.cfg", false},
    };
    for (const auto& [path, replaced] : cases)
        EXPECT_EQ(replacedByMaster(path), replaced) << path;
}

TEST_F(ProgramFolderTest, AStartCutShortIsFinishedByTheNext)
{
    // The mark is written empty before the copy, and the copy stopped after
    // the two folders that make a program folder.
    write("data/quaystall/program-version.txt", "\n");
    write("data/quaystall/Buttons/save-on.bmp", "BM new");
    fs::create_directories(folder.file("data/quaystall/Apache/cgi-bin/qstldb"));
    EXPECT_EQ(prepareProgramFolder(places, ui), folder.file("data/quaystall"));
    EXPECT_EQ(filesUnder(folder.file("data/quaystall")).size(), masterFiles.size() + 1);
    EXPECT_EQ(folder.read("data/quaystall/program-version.txt"), "2.00\n");
}

TEST_F(ProgramFolderTest, WhatCannotBeDoneIsToldClearly)
{
    struct Case {
        const char* name;
        std::function<void(Start&)> arrange;
        std::optional<std::string> folder; // relative to the test's folder
        std::string message;
        MessageKind kind;
    };
    const Case cases[] = {
        {"no master copy to make the folder from",
         [](auto& t) { t.places.masterCopy = t.folder.file("gone"); }, std::nullopt,
         "The program folder {}/data/quaystall cannot be made: the master copy it is made from is not at "
         "{}/gone. Install Quaystall DB again, or start it with --program-dir naming a program folder.",
         MessageKind::Error},
        {"no master copy to bring the folder up to the new version",
         [](auto& t) {
             t.write("data/quaystall/program-version.txt", "1.00\n");
             t.write("data/quaystall/Buttons/save-on.bmp", "BM");
             fs::create_directories(t.folder.file("data/quaystall/Apache/cgi-bin/qstldb"));
             t.places.masterCopy = t.folder.file("gone");
         },
         "data/quaystall",
         "The program folder {}/data/quaystall cannot be brought up to version 2.00: the master copy is not "
         "at {}/gone. The folder is used as it is.",
         MessageKind::Warning},
        {"neither XDG_DATA_HOME nor HOME",
         [](auto& t) {
             t.places.dataHome.clear();
             t.places.home.clear();
         },
         std::nullopt,
         "Quaystall DB cannot tell where to keep your shops: neither XDG_DATA_HOME nor HOME is set. Start it "
         "with --program-dir naming the folder to keep them in.",
         MessageKind::Error},
        {"a program folder that cannot be written",
         [](auto& t) {
             t.write("blocked", "a file, not a folder");
             t.places.chosen = t.folder.file("blocked/x");
         },
         std::nullopt,
         "The program folder {}/blocked/x could not be brought up to the installed master copy. Cannot "
         "create "
         "file {}/blocked/x/program-version.txt: Not a directory",
         MessageKind::Error},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start t;
        c.arrange(t);
        EXPECT_EQ(prepareProgramFolder(t.places, t.ui),
                  c.folder ? std::optional(t.folder.file(*c.folder)) : std::nullopt);
        std::string message = c.message;
        for (std::size_t at; (at = message.find("{}")) != std::string::npos;)
            message.replace(at, 2, t.folder.path().string());
        ASSERT_EQ(t.ui.said.size(), 1u);
        EXPECT_EQ(t.ui.said[0].text, message);
        EXPECT_EQ(t.ui.said[0].kind, c.kind);
    }
}

TEST(MasterCopyTest, LiesBesideTheFolderOfThePrograms)
{
    EXPECT_EQ(masterCopyBeside("/usr/bin/quaystall"), "/usr/share/quaystall/program");
    EXPECT_EQ(masterCopyBeside("/opt/q/bin/quaystall-cli"), "/opt/q/share/quaystall/program");
}

} // namespace
} // namespace qs
