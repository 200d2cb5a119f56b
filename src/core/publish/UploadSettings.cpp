#include "core/publish/UploadSettings.h"

#include "core/app/AppState.h"
#include "core/text/ConversionError.h"
#include "core/text/FileOps.h"
#include "core/text/IntegerText.h"
#include "core/text/JoinPath.h"
#include "core/text/NameValueList.h"

#include <filesystem>

namespace qs {
namespace {

struct AddressParts {
    std::string host;
    std::string path;
};

// "scheme://host[:port]/path" or a bare "/path": the host, and the path
// without its leading "/" (a folder within the login's own).
AddressParts splitAddress(std::string_view address)
{
    AddressParts parts;
    if (const auto scheme = address.find("://"); scheme != std::string_view::npos) {
        address.remove_prefix(scheme + 3);
        const auto slash = address.find('/');
        parts.host = std::string(address.substr(0, std::min(slash, address.find(':'))));
        address = slash == std::string_view::npos ? std::string_view() : address.substr(slash);
    }
    while (address.starts_with('/'))
        address.remove_prefix(1);
    while (address.ends_with('/'))
        address.remove_suffix(1);
    parts.path = std::string(address);
    return parts;
}

UploadSettings defaultsFromLocation(const AppState& state)
{
    UploadSettings settings;
    const AddressParts cgi = splitAddress(state.RemoteShopCGI());
    settings.host = cgi.host;
    settings.cgiFolder = cgi.path;
    settings.imagesFolder = splitAddress(state.RemImgURL).path;
    return settings;
}

} // namespace

std::string_view protocolName(UploadSettings::Protocol protocol)
{
    switch (protocol) {
    case UploadSettings::Protocol::Ftps:
        return "ftps";
    case UploadSettings::Protocol::Ftp:
        return "ftp";
    case UploadSettings::Protocol::Sftp:
        break;
    }
    return "sftp";
}

bool parseProtocol(std::string_view name, UploadSettings::Protocol& protocol)
{
    for (const auto candidate :
         {UploadSettings::Protocol::Sftp, UploadSettings::Protocol::Ftps, UploadSettings::Protocol::Ftp})
        if (protocolName(candidate) == name) {
            protocol = candidate;
            return true;
        }
    return false;
}

int defaultPort(UploadSettings::Protocol protocol)
{
    return protocol == UploadSettings::Protocol::Sftp ? 22 : 21;
}

std::string uploadSettingsFile(const AppState& state)
{
    return joinPath(state.ShopCGIDir(), "upload.cfg");
}

std::string uploadKnownHostsFile(const AppState& state)
{
    return joinPath(state.ShopCGIDir(), "upload_known_hosts");
}

std::string uploadPasswordName(const AppState& state, const UploadSettings& settings)
{
    const int port = settings.port > 0 ? settings.port : defaultPort(settings.protocol);
    return state.ShopName + " " + std::string(protocolName(settings.protocol)) + "://" + settings.user + "@" +
           settings.host + ":" + std::to_string(port);
}

UploadSettings loadUploadSettings(const AppState& state)
{
    UploadSettings settings = defaultsFromLocation(state);
    const std::string path = uploadSettingsFile(state);
    if (!std::filesystem::exists(path))
        return settings;
    const NameValueList file = NameValueList::fromFile(path);
    parseProtocol(file.value("Protocol"), settings.protocol);
    try {
        if (file.contains("Port"))
            settings.port = toInt32(file.value("Port"));
    } catch (const ConversionError&) {
        settings.port = 0;
    }
    const auto take = [&](std::string_view name, std::string& value) {
        if (file.contains(name))
            value = std::string(file.value(name));
    };
    take("Host", settings.host);
    take("User", settings.user);
    take("KeyFile", settings.keyFile);
    take("CGIFolder", settings.cgiFolder);
    take("ImagesFolder", settings.imagesFolder);
    take("Proxy", settings.proxy);
    take("CertificateFile", settings.certificateFile);
    return settings;
}

void saveUploadSettings(const AppState& state, const UploadSettings& settings)
{
    NameValueList file;
    file.setValue("Protocol", protocolName(settings.protocol));
    file.setValue("Host", settings.host);
    if (settings.port > 0)
        file.setValue("Port", std::to_string(settings.port));
    file.setValue("User", settings.user);
    file.setValue("KeyFile", settings.keyFile);
    file.setValue("CGIFolder", settings.cgiFolder);
    file.setValue("ImagesFolder", settings.imagesFolder);
    file.setValue("Proxy", settings.proxy);
    file.setValue("CertificateFile", settings.certificateFile);
    MakeDirPath(state.ShopCGIDir());
    file.saveToFile(uploadSettingsFile(state));
}

std::string describeUploadSettings(const UploadSettings& settings)
{
    const int port = settings.port > 0 ? settings.port : defaultPort(settings.protocol);
    return "protocol: " + std::string(protocolName(settings.protocol)) + "\nhost: " + settings.host +
           "\nport: " + std::to_string(port) + "\nuser: " + settings.user + "\nkey: " + settings.keyFile +
           "\ncgi-dir: " + settings.cgiFolder + "\nimages-dir: " + settings.imagesFolder +
           "\nproxy: " + settings.proxy + "\ncertificate: " + settings.certificateFile + "\n";
}

} // namespace qs
