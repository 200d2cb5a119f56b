#include "ServerProcess.h"
#include "TempFolder.h"
#include "core/text/NameValueList.h"
#include "gui/publish/KeyringPasswords.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>

namespace qs::gui {
namespace {

namespace fs = std::filesystem;

// The desktop's keyring, as the test's own session provides it.
TEST(KeyringPasswords, KeepsReplacesAndForgetsAPasswordPerLogin)
{
    KeyringPasswords keyring;
    std::string reason;
    ASSERT_TRUE(keyring.store("Demo sftp://ann@host.test:22", "first", reason)) << reason;
    ASSERT_TRUE(keyring.store("Demo sftp://bob@host.test:22", "other", reason)) << reason;
    ASSERT_TRUE(keyring.store("Demo sftp://ann@host.test:22", "s3cret \xC2\xA3", reason)) << reason;
    EXPECT_EQ(keyring.read("Demo sftp://ann@host.test:22"), std::optional<std::string>("s3cret \xC2\xA3"));
    EXPECT_EQ(keyring.read("Demo sftp://bob@host.test:22"), std::optional<std::string>("other"));
    keyring.forget("Demo sftp://ann@host.test:22");
    EXPECT_EQ(keyring.read("Demo sftp://ann@host.test:22"), std::nullopt);
    EXPECT_EQ(keyring.read("Other sftp://ann@host.test:22"), std::nullopt);
}

// quaystall-cli takes the password the desktop program kept in the keyring.
TEST(KeyringPasswords, TheCommandLineUploadLogsInWithTheKeptPassword)
{
    test::TempFolder folder;
    fs::copy(QUAYSTALL_SHARE_PROGRAM, folder.file("program"), fs::copy_options::recursive);
    fs::create_directories(folder.file("host"));
    const int port = test::freeLoopbackPort();
    test::ServerProcess server;
    server.start({"/usr/bin/python3", QUAYSTALL_TESTS_SOURCE "/upload/ftp_server.py", "--port",
                  std::to_string(port), "--root", folder.file("host"), "--user", "merchant", "--password",
                  "kept"},
                 port, folder.file("ftp.log"));
    const auto cli = [&](const std::string& arguments) {
        const std::string command = "cd '" + folder.file("program") + "' && '" QUAYSTALL_CLI "' " +
                                    arguments + " >>'" + folder.file("cli.log") + "' 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    ASSERT_EQ(cli("new-shop Demo"), 0);
    const std::string settings = folder.file("program/Apache/cgi-bin/qstldb/Demo-cgi/qstl2.cfg");
    NameValueList values = NameValueList::fromFile(settings);
    values.setValue("sales_email", "s@demo.test");
    values.setValue("tech_email", "t@demo.test");
    values.saveToFile(settings);
    ASSERT_EQ(cli("upload-settings Demo --protocol ftp --host 127.0.0.1 --user merchant --port " +
                  std::to_string(port) + " --cgi-dir cgi --images-dir images"),
              0);
    EXPECT_NE(cli("upload Demo"), 0) << "no password kept yet";
    EXPECT_NE(folder.read("cli.log").find("Cannot log in to 127.0.0.1 as merchant"), std::string::npos)
        << folder.read("cli.log");
    std::string reason;
    ASSERT_TRUE(
        KeyringPasswords().store("Demo ftp://merchant@127.0.0.1:" + std::to_string(port), "kept", reason))
        << reason;
    EXPECT_EQ(cli("upload Demo"), 0) << folder.read("cli.log");
    EXPECT_TRUE(fs::exists(folder.file("host/cgi/Catalogue.pl")));
}

} // namespace
} // namespace qs::gui
