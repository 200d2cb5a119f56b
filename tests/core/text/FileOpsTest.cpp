#include "core/text/FileOps.h"
#include "ScriptedUserInterface.h"
#include "TempFolder.h"
#include "Undeletable.h"
#include "core/text/FileError.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qs {
namespace {

namespace fs = std::filesystem;
using test::ScriptedUserInterface;
using test::TempFolder;

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileOpsTest, DirExistsOnlyForFolders)
{
    TempFolder folder;
    folder.write("file", "x");
    fs::create_directory(folder.file("dir"));
    fs::create_directory_symlink(folder.file("dir"), folder.file("link"));
    EXPECT_TRUE(DirExists(folder.file("dir")));
    EXPECT_TRUE(DirExists(folder.file("link")));
    EXPECT_FALSE(DirExists(folder.file("file")));
    EXPECT_FALSE(DirExists(folder.file("missing")));
    EXPECT_FALSE(DirExists(""));
}

TEST(FileOpsTest, MakeDirPathMakesTheParentsAndReportsOnlyAnEmptyPath)
{
    TempFolder folder;
    MakeDirPath(folder.file("a/b/c/"));
    EXPECT_TRUE(DirExists(folder.file("a/b/c")));
    folder.write("plain", "x");
    EXPECT_NO_THROW(MakeDirPath(folder.file("plain/sub")));
    try {
        MakeDirPath("");
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_STREQ(error.what(), "Unable to create directory");
    }
}

TEST(FileOpsTest, CopyDirFilesCopiesPlainFilesOnlyAndKeepsExistingOnes)
{
    TempFolder folder;
    fs::create_directories(folder.file("from/sub"));
    fs::create_directories(folder.file("to"));
    folder.write("from/a.gif", "A");
    folder.write("from/b.txt", "B");
    folder.write("from/.hidden", "H");
    folder.write("from/sub/inner", "I");
    folder.write("outside", "O");
    fs::create_symlink(folder.file("outside"), folder.file("from/link"));
    folder.write("to/b.txt", "old");
    fs::create_symlink(folder.file("outside"), folder.file("to/a.gif"));

    CopyDirFiles(folder.file("from"), folder.file("to"));
    EXPECT_EQ(namesIn(folder.file("to")), (std::vector<std::string>{"a.gif", "b.txt"}));
    EXPECT_EQ(folder.read("to/b.txt"), "old");
    // An entry already there is never written through.
    EXPECT_EQ(folder.read("outside"), "O");

    CopyDirFiles(folder.file("missing"), folder.file("to"));
    fs::remove(folder.file("to/a.gif"));
    CopyDirFiles(folder.file("from"), folder.file("to"));
    EXPECT_EQ(folder.read("to/a.gif"), "A");
    EXPECT_FALSE(fs::is_symlink(folder.file("to/a.gif")));
}

TEST(FileOpsTest, CopyFileReplacingLeavesTheDestinationAloneWhenItFails)
{
    TempFolder folder;
    folder.write("new", std::string(3u << 20, 'n'));
    folder.write("dest", "old");
    CopyFileReplacing(folder.file("missing"), folder.file("dest"));
    CopyFileReplacing(folder.path().string(), folder.file("dest"));
    EXPECT_EQ(folder.read("dest"), "old");
    CopyFileReplacing(folder.file("new"), folder.file("dest"));
    EXPECT_EQ(folder.read("dest"), std::string(3u << 20, 'n'));
    CopyFileReplacing(folder.file("new"), folder.file("no-folder/dest"));
    EXPECT_FALSE(fs::exists(folder.file("no-folder")));
}

// A master folder with its list file, copied into a destination folder.
class CopyListedScriptsTest : public ::testing::Test {
protected:
    CopyListedScriptsTest() : localCGI(folder.file("master")) { fs::create_directories(localCGI); }

    void copy(std::string_view list)
    {
        folder.write("master/AllCGIFiles.txt", list);
        CopyListedScripts(ui, localCGI, localCGI, destination(), "/usr/bin/perl5", "AllCGIFiles.txt");
    }

    // The message and the file error the copy stopped with.
    std::vector<std::string> failure(std::string_view list)
    {
        try {
            copy(list);
        } catch (const FileError& error) {
            auto texts = ui.texts();
            texts.push_back(error.what());
            return texts;
        }
        return {"no error"};
    }

    std::string destination() const { return folder.file("dest"); }

    TempFolder folder;
    std::string localCGI;
    ScriptedUserInterface ui;
};

TEST_F(CopyListedScriptsTest, SetsThePerlPathOnAFirstLineThatStartsWithHashBang)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"#!/usr/local/bin/perl -w\nprint 1;\n", "#!/usr/bin/perl5\nprint 1;\r\n"},
        {"#!perl\r\nprint 1;\r\n\r\n", "#!/usr/bin/perl5\nprint 1;\r\n\r\n"},
        {"#!/x\rline\r#!/y\r", "#!/usr/bin/perl5\nline\r\n#!/y\r\n"},
        {" #!/usr/bin/perl\n", " #!/usr/bin/perl\r\n"},
        {"use strict;\n#!/usr/bin/perl\n", "use strict;\r\n#!/usr/bin/perl\r\n"},
        {"#!", "#!/usr/bin/perl5\n"},
        {"#", "#\r\n"},
        {"", "\r\n"},
        {"\n", "\r\n"},
        {"no end", "no end\r\n"},
    };
    for (const auto& [source, expected] : cases) {
        folder.write("master/script.pl", source);
        copy("script.pl\r\n");
        EXPECT_EQ(folder.read("dest/script.pl"), expected) << source;
    }
    EXPECT_TRUE(ui.said.empty());
}

TEST_F(CopyListedScriptsTest, CopiesTheListedFilesOnly)
{
    folder.write("master/a.pl", "a");
    folder.write("master/b.txt", "b");
    folder.write("master/unlisted.pl", "u");
    copy("a.pl\nb.txt");
    EXPECT_EQ(namesIn(destination()), (std::vector<std::string>{"a.pl", "b.txt"}));

    fs::remove_all(destination());
    copy("");
    EXPECT_TRUE(namesIn(destination()).empty()) << "the folder is made, and nothing more";
}

TEST_F(CopyListedScriptsTest, AMissingCgiFolderOrListFileCopiesNothing)
{
    folder.write("master/a.pl", "a");
    folder.write("elsewhere/AllCGIFiles.txt", "a.pl");
    EXPECT_EQ(CopyListedScripts(ui, localCGI, folder.file("elsewhere"), destination(), "/p", "CGIFiles.txt"),
              "The CGI list-file (" + folder.file("elsewhere/CGIFiles.txt") + ") does not exist.");
    localCGI = folder.file("gone");
    EXPECT_EQ(CopyListedScripts(ui, localCGI, folder.file("master"), destination(), "/p", "AllCGIFiles.txt"),
              "The local CGI directory specified (" + localCGI + ") does not exist.");
    EXPECT_TRUE(ui.said.empty()) << "the caller tells or lists it";
    // The destination is made all the same.
    EXPECT_TRUE(namesIn(destination()).empty());
}

TEST_F(CopyListedScriptsTest, AMissingScriptStopsTheCopyAfterTellingWhichOne)
{
    folder.write("master/first.pl", "1");
    folder.write("master/last.pl", "3");
    EXPECT_EQ(
        failure("first.pl\r\nmissing.pl\r\nlast.pl\r\n"),
        (std::vector<std::string>{
            "There was an error processing the CGI list-file \"AllCGIFiles.txt\" while copying missing.pl.",
            "Cannot open file " + folder.file("master/missing.pl") + ": No such file or directory"}));
    EXPECT_EQ(namesIn(destination()), std::vector<std::string>{"first.pl"});
}

TEST_F(CopyListedScriptsTest, RefusesListLinesThatLeadOutOfTheListsFolder)
{
    folder.write("secret", "s");
    fs::create_symlink(folder.file("secret"), folder.file("master/link.pl"));
    fs::create_directories(folder.file("master/sub"));
    folder.write("master/sub/inner.pl", "i");
    for (std::string name :
         {"../secret", "/etc/hostname", "sub/inner.pl", "sub\\inner.pl", "..", ".", "", "link.pl", "sub"}) {
        ui.said.clear();
        const auto texts = failure(name + "\r\n");
        ASSERT_EQ(texts.size(), 2u) << name;
        EXPECT_EQ(texts[0],
                  "There was an error processing the CGI list-file \"AllCGIFiles.txt\" while copying " +
                      name + ".");
        EXPECT_NE(texts[1].find(name), std::string::npos) << texts[1];
    }
    EXPECT_TRUE(namesIn(destination()).empty());
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"dest", "master", "secret"}));
}

TEST(DeleteDirTreeTest, DeletesEverythingButFollowsNoLink)
{
    TempFolder folder;
    fs::create_directories(folder.file("tree/a/b"));
    folder.write("tree/a/b/file", "x");
    folder.write("tree/.hidden", "x");
    fs::create_directories(folder.file("outside/inner"));
    folder.write("outside/inner/keep", "k");
    fs::create_directory_symlink(folder.file("outside"), folder.file("tree/a/link"));
    fs::create_symlink(folder.file("nowhere"), folder.file("tree/dangling"));

    EXPECT_TRUE(DeleteDirTree(folder.file("tree")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder.file("tree"))));
    EXPECT_EQ(folder.read("outside/inner/keep"), "k");

    fs::create_directory_symlink(folder.file("outside"), folder.file("top-link"));
    EXPECT_TRUE(DeleteDirTree(folder.file("top-link")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder.file("top-link"))));
    EXPECT_EQ(folder.read("outside/inner/keep"), "k");

    EXPECT_FALSE(DeleteDirTree(folder.file("outside/inner/keep")));
    EXPECT_FALSE(DeleteDirTree(folder.file("missing")));
    EXPECT_EQ(folder.read("outside/inner/keep"), "k");
}

TEST(DeleteDirTreeTest, StopsDeletingAtTheFirstEntryThatWillNotGo)
{
    TempFolder folder;
    for (const char* name : {"tree/e1", "tree/e2", "tree/e3", "tree/e4", "tree/e5"})
        fs::create_directories(folder.file(name));
    folder.write("tree/e3/stuck", "x");
    folder.write("tree/f", "x");
    // The folder is visited in the order the system lists it.
    std::vector<std::string> order;
    for (const auto& entry : fs::directory_iterator(folder.file("tree")))
        order.push_back(entry.path().filename().string());
    const auto stuck = std::find(order.begin(), order.end(), "e3");
    std::vector<std::string> expected(stuck, order.end());
    std::sort(expected.begin(), expected.end());

    test::Undeletable guard(folder.file("tree/e3"));
    if (!guard.available())
        GTEST_SKIP() << "no way to make a file undeletable here";
    EXPECT_FALSE(DeleteDirTree(folder.file("tree")));
    EXPECT_EQ(namesIn(folder.file("tree")), expected);
    EXPECT_EQ(folder.read("tree/e3/stuck"), "x");
}

} // namespace
} // namespace qs
