#include "app/PickFileIntoDirectory.h"
#include "ScriptedUserInterface.h"
#include "core/text/TempFolder.h"

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
        std::string inImages; // the content of images/pic.jpg afterwards
        std::size_t questions;
    };
    const Case cases[] = {
        {"cancelled", std::nullopt, {}, "", "old", 0},
        {"missing file", "elsewhere/none.jpg", {}, "", "old", 0},
        {"already there", "images/pic.jpg", {}, "pic.jpg", "old", 0},
        {"already there by another path", "images/../images/./pic.jpg", {}, "pic.jpg", "old", 0},
        {"through a link to the folder", "link/pic.jpg", {}, "pic.jpg", "old", 0},
        {"elsewhere, copy declined", "elsewhere/pic.jpg", {Answer::Cancel}, "", "old", 1},
        {"elsewhere, replace declined", "elsewhere/pic.jpg", {Answer::Ok, Answer::No}, "", "old", 2},
        {"elsewhere, replaced", "elsewhere/pic.jpg", {Answer::Ok, Answer::Yes}, "pic.jpg", "new", 2},
        {"elsewhere, new name", "elsewhere/other.jpg", {Answer::Ok}, "other.jpg", "old", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder folder;
        fs::create_directories(folder.file("images"));
        folder.write("images/pic.jpg", "old");
        fs::create_directories(folder.file("elsewhere"));
        folder.write("elsewhere/pic.jpg", "new");
        folder.write("elsewhere/other.jpg", "other");
        fs::create_directory_symlink(folder.file("images"), folder.file("link"));
        test::ScriptedUserInterface ui;
        ui.files.push_back(c.chosen ? std::optional<std::string>(folder.file(*c.chosen)) : std::nullopt);
        ui.answers.assign(c.answers.begin(), c.answers.end());

        EXPECT_EQ(PickFileIntoDirectory(ui, folder.file("images"), imageFilter, "x.jpg"), c.result);
        EXPECT_EQ(folder.read("images/pic.jpg"), c.inImages);
        EXPECT_EQ(ui.said.size(), c.questions);
        EXPECT_EQ(ui.fileRequests.at(0).initialName, "x.jpg");
        if (c.result == "other.jpg")
            EXPECT_EQ(folder.read("images/other.jpg"), "other");
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
