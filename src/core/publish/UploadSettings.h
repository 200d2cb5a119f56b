#pragma once

#include <string>
#include <string_view>

namespace qs {

struct AppState;

// Where and how the shop is uploaded to its web host. Kept per shop in
// upload.cfg of the shop's CGI folder (name=value lines); the password never
// is: it comes from the desktop's keyring, the environment or the merchant.
struct UploadSettings {
    enum class Protocol { Sftp, Ftps, Ftp };

    Protocol protocol = Protocol::Sftp;
    std::string host;
    // 0: the protocol's own port.
    int port = 0;
    std::string user;
    // A private SSH key file; empty when the password logs in.
    std::string keyFile;
    // The folders on the host that receive SHOP-cgi and SHOP-images. A folder
    // without a leading "/" lies within the folder the login starts in.
    std::string cgiFolder;
    std::string imagesFolder;
    // HOST:PORT of a proxy, or empty.
    std::string proxy;
    // For FTPS: a certificate file the host's certificate must be vouched for
    // by, for a host whose certificate is of its own making; empty trusts the
    // system's certificate authorities.
    std::string certificateFile;

    bool operator==(const UploadSettings&) const = default;
};

std::string_view protocolName(UploadSettings::Protocol protocol);
// False when the name is none of sftp, ftps, ftp.
bool parseProtocol(std::string_view name, UploadSettings::Protocol& protocol);
int defaultPort(UploadSettings::Protocol protocol);

// The open shop's file of upload settings.
std::string uploadSettingsFile(const AppState& state);
// The program's own known-hosts file for the shop's SFTP host.
std::string uploadKnownHostsFile(const AppState& state);

// The name the password of the shop's login is kept under in the desktop's
// keyring: the shop, protocol, user, host and port, so that no other login
// is ever given it.
std::string uploadPasswordName(const AppState& state, const UploadSettings& settings);

// The shop's settings; what the file lacks (or all, without a file) comes from
// the location details: the host from the remote CGI address, the CGI folder
// from its path with the scripts' folder, the images folder from the remote
// image address. Throws FileError when a file is there but cannot be read.
UploadSettings loadUploadSettings(const AppState& state);
// Replaces the file; throws FileError.
void saveUploadSettings(const AppState& state, const UploadSettings& settings);

// The settings as "name: value" lines, one each, as the command line prints them.
std::string describeUploadSettings(const UploadSettings& settings);

} // namespace qs
