#include "core/publish/HostAdminPassword.h"
#include "core/publish/HostDenyRules.h"
#include "core/publish/Upload.h"
#include "core/settings/AdminPassword.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

// The digest line the scripts check against, and the export's test of
// whether the one on the host still holds this ID and password.
TEST(HostFilesTest, TheHostsAdminPassHoldsADigestThatOnlyTheSamePasswordMatches)
{
    const AdminPassword admin{"boss", "se=cr\xE9t"};
    const std::string salt = "0123456789abcdef";
    const std::string line = hostAdminPasswordLine(admin, salt);
    ASSERT_TRUE(line.starts_with("boss={PBKDF2-SHA256}100000$30313233343536373839616263646566$")) << line;
    EXPECT_TRUE(line.ends_with("\r\n"));
    EXPECT_EQ(line.find("se=cr"), std::string::npos);
    EXPECT_TRUE(hostAdminPasswordMatches(line, admin));
    const struct {
        std::string bytes;
        AdminPassword admin;
        const char* why;
    } refused[] = {
        {line, {"boss", "se=cr\xE9T"}, "another password"},
        {line, {"Boss", admin.password}, "another user ID"},
        {"boss=se=cr\xE9t\r\n", admin, "the password in clear"},
        {hostAdminPasswordLine(admin, salt, 1000), admin, "another number of rounds"},
        {"boss={PBKDF2-SHA256}100000$zz$00\r\n", admin, "no hexadecimal"},
        {"boss={PBKDF2-SHA256}100000\r\n", admin, "cut short"},
        {"", admin, "empty"},
    };
    for (const auto& r : refused)
        EXPECT_FALSE(hostAdminPasswordMatches(r.bytes, r.admin)) << r.why;
    EXPECT_NE(newPasswordSalt(), newPasswordSalt());
    EXPECT_EQ(newPasswordSalt().size(), 16u);
}

TEST(HostFilesTest, TheDenyRulesNameEverySecretAndTheUploadKeepsThePasswordToItsOwner)
{
    const std::string rules = cgiFolderRules();
    for (const char* name : {"\\.pm", "admin\\.pass", "qstl2\\.cfg", "location\\.cfg", "upload\\.cfg"})
        EXPECT_NE(rules.find(name), std::string::npos) << name;
    EXPECT_NE(dataFolderRules().find("Require all denied"), std::string::npos);
    const std::pair<const char*, int> modes[] = {
        {"cgi/admin.pass", 0600}, {"cgi/Catalogue.pl", 0755},  {"cgi/qstl2.cfg", 0644},
        {"cgi/.htaccess", 0644},  {"images/admin.pass", 0644},
    };
    for (const auto& [path, mode] : modes)
        EXPECT_EQ(uploadMode(path), mode) << path;
}

} // namespace
} // namespace qs
