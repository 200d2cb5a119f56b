#pragma once

#include <string>
#include <string_view>

namespace qs {

// The program folder's local CGI root, which holds the master shop scripts.
inline constexpr std::string_view programScriptsFolder = "Apache/cgi-bin/qstldb";

// Where the program and the open shop keep their files: the program folder,
// the shop's name, and the location values (the location file's) of the
// local web server's folders and of the server the shop is uploaded to.
struct ShopPaths {
    std::string ProgramDir;
    std::string ShopName;

    std::string LocCGI;
    std::string LocImg;
    std::string LocImgURL = "/images";
    std::string LocPerlPath = "/usr/bin/perl";
    std::string RemCGI = "/cgi-bin";
    std::string RemData = "data";
    std::string RemImgURL = "/images";
    std::string RemPerlPath = "/usr/bin/perl";

    // The open shop's CGI and data folders, formed from the current values.
    std::string ShopCGIDir() const;
    std::string ShopDataDir() const;
    // The address of the shop's scripts on the web host: its own NAME-cgi
    // folder within the remote CGI address, so that no two shops share one.
    std::string RemoteShopCGI() const;

    // Where the local folders are when no location file says otherwise.
    std::string fallbackLocCGI() const;
    std::string fallbackLocImg() const;
    std::string programFile(const std::string& name) const;
};

} // namespace qs
