#include "core/app/PickFileIntoDirectory.h"
#include "ScriptedUserInterface.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qs {
namespace {

namespace fs = std::filesystem;

TEST(PickFileIntoDirectory, BringsTheChosenFileIntoTheFolderOnce)
{
    struct Case {
        const char* name;
        std::optional<std::string> chosen; // relative to the test folder
        std::vector<Answer> answers;
        std::string result;
        std::string inImages;    // the content of images/pic.jpg afterwards
        std::size_t questions;   // and messages
        std::string resultHolds; // the content of the file the result names
        bool renamed = false;    // and the merchant is told the name
    };
    const Case cases[] = {
        {"cancelled", std::nullopt, {}, "", "old", 0, ""},
        {"missing file", "elsewhere/none.jpg", {}, "", "old", 0, ""},
        {"already there", "images/pic.jpg", {}, "pic.jpg", "old", 0, "old"},
        {"already there by another path", "images/../images/./pic.jpg", {}, "pic.jpg", "old", 0, "old"},
        {"through a link to the folder", "link/pic.jpg", {}, "pic.jpg", "old", 0, "old"},
        {"a link in the folder to a file in it", "images/alias.jpg", {}, "pic.jpg", "old", 0, "old"},
        {"a link elsewhere to a file in the folder", "elsewhere/alias.jpg", {}, "pic.jpg", "old", 0, "old"},
        {"a link in the folder leading out",
         "images/out.jpg",
         {Answer::Ok, Answer::Yes},
         "out.jpg",
         "old",
         2,
         "other"},
        {"elsewhere, copy declined", "elsewhere/pic.jpg", {Answer::Cancel}, "", "old", 1, ""},
        {"elsewhere, replace declined", "elsewhere/pic.jpg", {Answer::Ok, Answer::No}, "", "old", 2, ""},
        {"elsewhere, replaced", "elsewhere/pic.jpg", {Answer::Ok, Answer::Yes}, "pic.jpg", "new", 2, "new"},
        {"elsewhere, new name", "elsewhere/other.jpg", {Answer::Ok}, "other.jpg", "old", 1, "other"},
        // Names the catalogue and the web server would read differently get a shared one, told.
        {"not ASCII, elsewhere",
         "elsewhere/caf\xC3\xA9.jpg",
         {Answer::Ok},
         "cafe.jpg",
         "old",
         2,
         "caf\xC3\xA9",
         true},
        {"not ASCII, in the folder", "images/caf\xC3\xA9.jpg", {}, "cafe.jpg", "old", 1, "caf\xC3\xA9", true},
        {"outside the code page",
         "elsewhere/\xC5\x81\xC3\xB3\x64\xC5\xBA.jpg",
         {Answer::Ok},
         "Lodz.jpg",
         "old",
         2,
         "\xC5\x81\xC3\xB3\x64\xC5\xBA",
         true},
        {"shared name taken, replace declined",
         "elsewhere/p\xC3\xAF\x63.jpg",
         {Answer::Ok, Answer::No},
         "",
         "old",
         2,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder folder;
        fs::create_directories(folder.file("images"));
        folder.write("images/pic.jpg", "old");
        fs::create_directories(folder.file("elsewhere"));
        folder.write("elsewhere/pic.jpg", "new");
        folder.write("elsewhere/other.jpg", "other");
        for (const char* name : {"caf\xC3\xA9", "\xC5\x81\xC3\xB3\x64\xC5\xBA", "p\xC3\xAF\x63"}) {
            folder.write(std::string("elsewhere/") + name + ".jpg", name);
            folder.write(std::string("images/") + name + ".jpg", name);
        }
        fs::create_directory_symlink(folder.file("images"), folder.file("link"));
        fs::create_symlink(folder.file("images/pic.jpg"), folder.file("images/alias.jpg"));
        fs::create_symlink(folder.file("images/pic.jpg"), folder.file("elsewhere/alias.jpg"));
        fs::create_symlink(folder.file("elsewhere/other.jpg"), folder.file("images/out.jpg"));
        test::ScriptedUserInterface ui;
        ui.files.push_back(c.chosen ? std::optional<std::string>(folder.file(*c.chosen)) : std::nullopt);
        ui.answers.assign(c.answers.begin(), c.answers.end());

        EXPECT_EQ(PickFileIntoDirectory(ui, folder.file("images"), imageFilter, "x.jpg"), c.result);
        EXPECT_EQ(folder.read("images/pic.jpg"), c.inImages);
        EXPECT_EQ(ui.said.size(), c.questions);
        EXPECT_EQ(ui.fileRequests.at(0).initialName, "x.jpg");
        if (!c.result.empty()) {
            EXPECT_EQ(folder.read("images/" + c.result), c.resultHolds);
            EXPECT_FALSE(fs::is_symlink(folder.file("images/" + c.result)));
        }
        if (c.renamed) {
            EXPECT_EQ(ui.said.back().text, renamedCopyMessage(c.result));
        }
    }
}

TEST(PickFileIntoDirectory, AFailedCopyIsToldAndStoresNothing)
{
    test::TempFolder folder;
    folder.write("pic.jpg", "new");
    folder.write("plain", "a file where the folder should be");
    test::ScriptedUserInterface ui;
    ui.files.push_back(folder.file("pic.jpg"));
    ui.answers = {Answer::Ok};
    EXPECT_EQ(PickFileIntoDirectory(ui, folder.file("plain/images"), imageFilter, ""), "");
    ASSERT_EQ(ui.said.size(), 2u);
    EXPECT_NE(ui.said[1].text.find("Cannot create file"), std::string::npos) << ui.said[1].text;
}

} // namespace
} // namespace qs
