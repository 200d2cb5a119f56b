#include "ServerProcess.h"
#include "TempFolder.h"
#include "core/app/AppState.h"
#include "core/publish/RemoteHost.h"
#include "core/publish/Upload.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace qs {
namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;
using Protocol = UploadSettings::Protocol;

constexpr const char* ftpServerScript = QUAYSTALL_TESTS_SOURCE "/upload/ftp_server.py";

// The upload over FTP over TLS and plain FTP, to an FTP server of the test's
// own on loopback (a self-signed certificate for TLS), with a shop's upload
// folder as the export leaves it.
class FtpUploadTest : public ::testing::TestWithParam<Protocol> {
protected:
    FtpUploadTest() : state(folder.file("program"))
    {
        state.ShopName = "Demo";
        fs::create_directories(folder.file("host"));
        for (const auto& [name, bytes] : shopFiles) {
            fs::create_directories(fs::path(folder.file("program/upload/Demo/" + name)).parent_path());
            folder.write("program/upload/Demo/" + name, bytes);
        }
        settings.protocol = GetParam();
        settings.host = "127.0.0.1";
        settings.port = test::freeLoopbackPort();
        settings.user = "merchant";
        settings.cgiFolder = "cgi-bin/qstldb";
        settings.imagesFolder = "htdocs/images";
        std::vector<std::string> server = {"/usr/bin/python3", ftpServerScript,
                                           "--port",           std::to_string(settings.port),
                                           "--root",           folder.file("host"),
                                           "--user",           "merchant",
                                           "--password",       "s3cret"};
        if (settings.protocol == Protocol::Ftps) {
            settings.certificateFile = folder.file("certificate.pem");
            const std::string make = "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1 "
                                     "-addext subjectAltName=IP:127.0.0.1 -keyout " +
                                     folder.file("key.pem") + " -out " + settings.certificateFile +
                                     " 2>/dev/null";
            if (std::system(make.c_str()) != 0)
                throw std::runtime_error("no certificate: " + make);
            server.insert(server.end(),
                          {"--certificate", settings.certificateFile, "--key", folder.file("key.pem")});
        }
        process.start(server, settings.port, folder.file("ftp.log"));
    }

    UploadReport upload(const std::string& password = "s3cret", UploadSettings with = {})
    {
        if (with.host.empty())
            with = settings;
        RemoteHost host({with, password, "", false});
        return runUpload(state, with, host, {});
    }

    static int modeOf(const std::string& path)
    {
        struct stat info {};
        stat(path.c_str(), &info);
        return int(info.st_mode & 07777);
    }

    const std::vector<std::pair<std::string, std::string>> shopFiles = {
        {"Demo-cgi/Catalogue.pl", "#!/usr/bin/perl\nprint 1;\n"},
        {"Demo-cgi/data/shop.data", "1\tTea\t2.50\r\n"},
        {"Demo-images/tea.gif", std::string(5000, 'g')},
    };
    test::TempFolder folder;
    AppState state;
    UploadSettings settings;
    test::ServerProcess process;
};

TEST_P(FtpUploadTest, SendsEverythingThenOnlyWhatChangedWithTheModes)
{
    EXPECT_EQ(upload().sent, (Paths{"cgi/data/shop.data", "images/tea.gif", "cgi/Catalogue.pl"}));
    EXPECT_EQ(folder.read("host/cgi-bin/qstldb/data/shop.data"), "1\tTea\t2.50\r\n");
    EXPECT_EQ(modeOf(folder.file("host/cgi-bin/qstldb/Catalogue.pl")), 0755);
    EXPECT_EQ(modeOf(folder.file("host/htdocs/images/tea.gif")), 0644);
    EXPECT_EQ(modeOf(folder.file("host/cgi-bin/qstldb/data/orders")), 0775);
    EXPECT_EQ(upload().sent, Paths{});

    folder.write("program/upload/Demo/Demo-cgi/data/shop.data", "1\tTea\t2.75\r\n");
    folder.write("host/htdocs/images/tea.gif", "changed on the host");
    const UploadReport second = upload();
    EXPECT_EQ(second.sent, (Paths{"cgi/data/shop.data", "images/tea.gif"}));
    EXPECT_EQ(second.changedOnHost, Paths{"images/tea.gif"});
    EXPECT_EQ(folder.read("host/cgi-bin/qstldb/data/shop.data"), "1\tTea\t2.75\r\n");
    for (const auto& entry : fs::recursive_directory_iterator(folder.file("host")))
        EXPECT_FALSE(entry.path().filename().string().ends_with(".part")) << entry.path();
}

TEST_P(FtpUploadTest, AWrongPasswordOrAnUntrustedCertificateIsToldAndNothingIsSent)
{
    struct Case {
        const char* name;
        std::string password;
        UploadSettings settings;
        const char* told;
    };
    std::vector<Case> cases = {
        {"wrong password", "guess", settings, "Cannot log in to 127.0.0.1 as merchant: "}};
    if (settings.protocol == Protocol::Ftps) {
        UploadSettings untrusted = settings;
        untrusted.certificateFile.clear();
        cases.push_back({"certificate of its own making, not given", "s3cret", untrusted,
                         "Cannot list folder cgi-bin/qstldb on the host: "});
    }
    for (const auto& c : cases) {
        try {
            upload(c.password, c.settings);
            ADD_FAILURE() << c.name << ": sent";
        } catch (const UploadError& error) {
            EXPECT_TRUE(std::string(error.what()).starts_with(c.told)) << c.name << ": " << error.what();
        }
        EXPECT_FALSE(fs::exists(folder.file("host/cgi-bin"))) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Protocols, FtpUploadTest, ::testing::Values(Protocol::Ftps, Protocol::Ftp),
                         [](const auto& info) { return std::string(protocolName(info.param)); });

} // namespace
} // namespace qs
