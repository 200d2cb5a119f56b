#include "SshServer.h"
#include "TempFolder.h"
#include "core/text/NameValueList.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/wait.h>

#include <filesystem>

namespace qs {
namespace {

namespace fs = std::filesystem;
using test::SshServer;
using test::TempFolder;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// quaystall-cli on a copy of the installation with a shop ready for export,
// uploading through the loopback SSH server.
class UploadCommandTest : public ::testing::Test {
protected:
    UploadCommandTest()
    {
        fs::copy(QUAYSTALL_SHARE_PROGRAM, folder.file("program"), fs::copy_options::recursive);
        EXPECT_EQ(cli({"new-shop", "Demo"}).status, 0);
        const std::string settings = "program/Apache/cgi-bin/qstldb/Demo-cgi/qstl2.cfg";
        NameValueList values = NameValueList::fromText(folder.read(settings));
        values.setValue("sales_email", "s@demo.test");
        values.setValue("tech_email", "t@demo.test");
        folder.write(settings, values.toText());
    }

    Outcome cli(const std::vector<std::string>& arguments)
    {
        std::string command = "cd '" + folder.file("program") + "' && QUAYSTALL_UPLOAD_PASSWORD= '" +
                              std::string(QUAYSTALL_CLI) + "'";
        for (const std::string& argument : arguments)
            command += " '" + argument + "'";
        command += " >'" + folder.file("out") + "' 2>'" + folder.file("err") + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, folder.read("out"), folder.read("err")};
    }

    TempFolder folder;
    SshServer server{folder};
};

std::size_t linesStartingWith(const std::string& text, const std::string& start)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
        count += text.compare(at, start.size(), start) == 0;
        if (text.find('\n', at) == std::string::npos)
            break;
    }
    return count;
}

TEST_F(UploadCommandTest, SettingsThenUploadsThatTellEachFileAndTheCounts)
{
    const std::string user = getpwuid(getuid())->pw_name;
    const Outcome set =
        cli({"upload-settings", "Demo", "--host", "127.0.0.1", "--port", std::to_string(server.port()),
             "--user", user, "--key", server.userKey(), "--cgi-dir", folder.file("remote/cgi"),
             "--images-dir", folder.file("remote/images")});
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(set.out, "protocol: sftp\nhost: 127.0.0.1\nport: " + std::to_string(server.port()) +
                           "\nuser: " + user + "\nkey: " + server.userKey() +
                           "\ncgi-dir: " + folder.file("remote/cgi") +
                           "\nimages-dir: " + folder.file("remote/images") + "\nproxy: \ncertificate: \n");
    EXPECT_EQ(folder.read("program/Apache/cgi-bin/qstldb/Demo-cgi/upload.cfg").find("assword"),
              std::string::npos);

    const Outcome refused = cli({"upload", "Demo"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find(server.fingerprint()), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(folder.file("remote/cgi")));

    const Outcome dryRun = cli({"upload", "Demo", "--dry-run", "--accept-new-host-key"});
    EXPECT_EQ(dryRun.status, 0) << dryRun.err;
    const std::size_t files = linesStartingWith(dryRun.out, "sent ");
    EXPECT_GT(files, 40u);
    EXPECT_NE(dryRun.out.find("files sent: " + std::to_string(files) + "\nfiles deleted: 0\n"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(folder.file("remote/cgi")));

    const Outcome first = cli({"upload", "Demo"});
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, dryRun.out);
    EXPECT_TRUE(fs::exists(folder.file("remote/cgi/Catalogue.pl")));

    // A change of the shop is exported again before the upload.
    folder.write("program/Apache/cgi-bin/qstldb/Demo-cgi/data/termcondition.txt", "Changed terms\r\n");
    const Outcome second = cli({"upload", "Demo"});
    EXPECT_EQ(second.out, "sent cgi/data/termcondition.txt\nfiles sent: 1\nfiles deleted: 0\n") << second.err;

    // Orders fetched into the shop do not make it export again.
    folder.write("remote/cgi/data/orders/1.order",
                 "order=1\r\ndate=2026-12-08\r\nname=Ann\r\ntotal=1.00\r\n");
    EXPECT_EQ(cli({"fetch-orders", "Demo"}).out, "order 1: 2026-12-08 Ann 1.00\n");
    EXPECT_EQ(cli({"fetch-orders", "Demo"}).out, "");
    const Outcome third = cli({"upload", "Demo"});
    EXPECT_EQ(third.out, "files sent: 0\nfiles deleted: 0\n");
    EXPECT_EQ(third.err, "");

    // A second shop pointed at the first one's folder is refused unless told.
    ASSERT_EQ(cli({"new-shop", "Other"}).status, 0);
    const std::string otherSettings = "program/Apache/cgi-bin/qstldb/Other-cgi/qstl2.cfg";
    NameValueList values = NameValueList::fromText(folder.read(otherSettings));
    values.setValue("sales_email", "s@other.test");
    values.setValue("tech_email", "t@other.test");
    folder.write(otherSettings, values.toText());
    ASSERT_EQ(cli({"upload-settings", "Other", "--host", "127.0.0.1", "--port", std::to_string(server.port()),
                   "--user", user, "--key", server.userKey(), "--cgi-dir", folder.file("remote/cgi"),
                   "--images-dir", folder.file("remote/other-images")})
                  .status,
              0);
    const std::string demoSettings = folder.read("remote/cgi/qstl2.cfg");
    const Outcome intoDemo = cli({"upload", "Other", "--accept-new-host-key"});
    EXPECT_EQ(intoDemo.status, 1);
    EXPECT_NE(intoDemo.err.find("holds another shop's files"), std::string::npos) << intoDemo.err;
    EXPECT_EQ(folder.read("remote/cgi/qstl2.cfg"), demoSettings);
    const Outcome told = cli({"upload", "Other", "--accept-new-host-key", "--into-other-shops-folder"});
    EXPECT_EQ(told.status, 0) << told.err;
    EXPECT_NE(folder.read("remote/cgi/qstl2.cfg"), demoSettings);
}

} // namespace
} // namespace qs
