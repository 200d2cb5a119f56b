#include "core/publish/UploadSettings.h"
#include "TempFolder.h"
#include "core/app/AppState.h"
#include "core/publish/Upload.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

TEST(UploadSettingsTest, WhatTheFileLacksComesFromTheLocationDetails)
{
    test::TempFolder folder;
    AppState state(folder.path().string());
    state.ShopName = "Demo";
    state.LocCGI = folder.file("cgi");
    const struct {
        const char* remoteCgi;
        const char* remoteImages;
        const char* host;
        const char* cgiFolder;
        const char* imagesFolder;
    } cases[] = {
        {"/cgi-bin", "/images", "", "cgi-bin/Demo-cgi", "images"},
        {"http://www.example.com:8080/cgi-bin/", "https://www.example.com/pics/Demo", "www.example.com",
         "cgi-bin/Demo-cgi", "pics/Demo"},
        {"http://shop.example.com", "", "shop.example.com", "Demo-cgi", ""},
    };
    for (const auto& c : cases) {
        state.RemCGI = c.remoteCgi;
        state.RemImgURL = c.remoteImages;
        const UploadSettings settings = loadUploadSettings(state);
        EXPECT_EQ(settings.host, c.host) << c.remoteCgi;
        EXPECT_EQ(settings.cgiFolder, c.cgiFolder) << c.remoteCgi;
        EXPECT_EQ(settings.imagesFolder, c.imagesFolder) << c.remoteCgi;
        EXPECT_EQ(settings.protocol, UploadSettings::Protocol::Sftp) << c.remoteCgi;
    }

    UploadSettings saved{UploadSettings::Protocol::Ftps,
                         "ftp.example.com",
                         990,
                         "merchant",
                         "",
                         "/var/www/cgi-bin/shop",
                         "",
                         "proxy:3128", "/home/m/host.pem"};
    saveUploadSettings(state, saved);
    EXPECT_EQ(folder.read("cgi/Demo-cgi/upload.cfg"),
              "Protocol=ftps\r\nHost=ftp.example.com\r\nPort=990\r\nUser=merchant\r\n"
              "CGIFolder=/var/www/cgi-bin/shop\r\nProxy=proxy:3128\r\nCertificateFile=/home/m/host.pem\r\n");
    // The images folder left empty takes the location's again.
    state.RemImgURL = "/pics/Demo";
    saved.imagesFolder = "pics/Demo";
    EXPECT_EQ(loadUploadSettings(state), saved);
    EXPECT_EQ(describeUploadSettings(saved),
              "protocol: ftps\nhost: ftp.example.com\nport: 990\nuser: merchant\nkey: \n"
              "cgi-dir: /var/www/cgi-bin/shop\nimages-dir: pics/Demo\nproxy: proxy:3128\ncertificate: /home/m/host.pem\n");
}

TEST(UploadSettingsTest, FilesOfTheUploadFolderMapOntoTheHostsFolders)
{
    UploadSettings settings;
    settings.cgiFolder = "/srv/cgi-bin/qstldb";
    settings.imagesFolder = "";
    const std::pair<const char*, const char*> cases[] = {
        {"cgi", "/srv/cgi-bin/qstldb"},
        {"cgi/data/shop.data", "/srv/cgi-bin/qstldb/data/shop.data"},
        {"images", "."},
        {"images/p.gif", "p.gif"},
    };
    for (const auto& [path, onHost] : cases)
        EXPECT_EQ(hostPath(settings, path), onHost) << path;
}

} // namespace
} // namespace qs
