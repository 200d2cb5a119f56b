#include "core/settings/AdminPassword.h"
#include "ScriptedUserInterface.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace qs {
namespace {

namespace fs = std::filesystem;
using test::ScriptedUserInterface;

TEST(AdminPasswordTest, WritesOneLineReadableByItsOwnerOnly)
{
    test::TempFolder folder;
    const std::string path = folder.file("admin.pass");
    ScriptedUserInterface ui;
    folder.write("admin.pass", "old=x\r\n");
    fs::permissions(path, fs::perms(0644));
    ASSERT_TRUE((AdminPassword{"boss", "a=b c"}.write(path, ui)));
    EXPECT_EQ(folder.read("admin.pass"), "boss=a=b c\r\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    const auto read = AdminPassword::read(path, ui);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->userId, "boss");
    EXPECT_EQ(read->password, "a=b c");
    EXPECT_TRUE(ui.said.empty());
}

TEST(AdminPasswordTest, ReadsTheFirstLineOnly)
{
    test::TempFolder folder;
    ScriptedUserInterface ui;
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"id=pw\r\nother=x\r\n", "id", "pw"}, {"no equals\r\n", "", ""}, {"", "", ""}, {"=pw", "", "pw"}};
    for (const auto& [bytes, id, password] : cases) {
        const auto read = AdminPassword::read(folder.write("admin.pass", bytes), ui);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->userId, id) << bytes;
        EXPECT_EQ(read->password, password) << bytes;
    }
    // No file yet: no password, and nothing to tell.
    EXPECT_TRUE(AdminPassword::read(folder.file("none"), ui));
    EXPECT_TRUE(ui.said.empty());
    fs::create_directory(folder.file("folder"));
    EXPECT_FALSE(AdminPassword::read(folder.file("folder"), ui));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"There was a problem loading the password file."});
}

TEST(AdminPasswordTest, RefusesWhatTheLineCannotHold)
{
    test::TempFolder folder;
    const std::tuple<const char*, const char*, std::string> cases[] = {
        {"", "pw", std::string(AdminPassword::emptyMessage)},
        {"id", "", std::string(AdminPassword::emptyMessage)},
        {"a=b", "pw", "A user ID cannot contain \"=\"."},
        {"id", "p\nw", "A password cannot contain a line break."},
        {"i\td", "pw", "A user ID cannot contain a tab."}};
    for (const auto& [id, password, message] : cases) {
        ScriptedUserInterface ui;
        EXPECT_FALSE((AdminPassword{id, password}.write(folder.file("admin.pass"), ui)));
        EXPECT_EQ(ui.texts(), std::vector<std::string>{message});
    }
    EXPECT_FALSE(fs::exists(folder.file("admin.pass")));
    ScriptedUserInterface ui;
    EXPECT_FALSE((AdminPassword{"id", "pw"}.write(folder.file("gone/admin.pass"), ui)));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"There was a problem saving the password file.\r\nCannot create "
                                                    "file " + folder.file("gone/admin.pass") +
                                                    ": No such file or directory"});
}

TEST(AdminPasswordTest, TheShopsFileIsInItsCGIFolderAndANewPasswordMarksTheSettingsModified)
{
    test::TempFolder folder;
    const std::string shopCGIDir = folder.path().string();
    ScriptedUserInterface ui;
    bool modified = false;
    EXPECT_FALSE((AdminPassword{"boss", ""}.save(shopCGIDir, modified, ui)));
    EXPECT_FALSE(modified) << "a refused password changes nothing";
    ASSERT_TRUE((AdminPassword{"boss", "pw"}.save(shopCGIDir, modified, ui)));
    EXPECT_TRUE(modified);
    EXPECT_EQ(folder.read("admin.pass"), "boss=pw\r\n");
    EXPECT_EQ(AdminPassword::load(shopCGIDir, ui), (AdminPassword{"boss", "pw"}));

    fs::remove(folder.file("admin.pass"));
    fs::create_directory(folder.file("admin.pass"));
    EXPECT_EQ(AdminPassword::load(shopCGIDir, ui), AdminPassword()) << "after a failed read, no password";
    EXPECT_EQ(ui.texts().back(), AdminPassword::loadProblem);
}

} // namespace
} // namespace qs
