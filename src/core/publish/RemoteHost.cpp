#include "core/publish/RemoteHost.h"

#include "core/text/Sha256.h"

#include <curl/curl.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>

namespace qs {
namespace {

using Protocol = UploadSettings::Protocol;

struct CurlList {
    curl_slist* head = nullptr;
    ~CurlList() { curl_slist_free_all(head); }
    void add(const std::string& line) { head = curl_slist_append(head, line.c_str()); }
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string octal(int mode)
{
    char text[8];
    std::snprintf(text, sizeof text, "%o", mode);
    return text;
}

std::string parentOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The temporary name a file is sent under: hidden, so that neither the web
// server's listing nor the scripts take it for one of the shop's files.
std::string temporaryName(const std::string& target)
{
    const std::string folder = parentOf(target);
    const std::string name = "." + nameOf(target) + ".part";
    return folder.empty() ? name : folder + "/" + name;
}

// A line of a long listing: mode, links, owner, group, size, three fields of
// date and time, then the name.
bool parseListingLine(const std::string& line, RemoteEntry& entry)
{
    std::istringstream fields(line);
    std::string mode, links, owner, group, month, day, time;
    if (!(fields >> mode >> links >> owner >> group >> entry.size >> month >> day >> time))
        return false;
    std::getline(fields >> std::ws, entry.name);
    if (entry.name.ends_with('\r'))
        entry.name.pop_back();
    if (mode.starts_with('l'))
        entry.name = entry.name.substr(0, entry.name.find(" -> "));
    entry.folder = mode.starts_with('d');
    entry.stamp = month + " " + day + " " + time;
    return !entry.name.empty() && entry.name != "." && entry.name != "..";
}

std::size_t appendToString(char* data, std::size_t size, std::size_t count, void* target)
{
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

int hostKeyCheck(CURL*, const curl_khkey*, const curl_khkey* found, curl_khmatch match, void* context);

// The host has no file or folder of the name.
class NotOnHost : public UploadError {
public:
    using UploadError::UploadError;
};

} // namespace

HostKeyError::HostKeyError(Kind kind, std::string fingerprint)
    : UploadError(
          kind == Kind::Unknown
              ? "The web host's key is not known yet. Its fingerprint is " + fingerprint +
                    ". Accept it only if your host tells you it is theirs."
              : "WARNING: the web host's key has changed since the last upload (it is now " + fingerprint +
                    "). Someone may be standing between you and your host. Nothing was sent; ask your "
                    "host whether they changed their key."),
      kind(kind), fingerprint(std::move(fingerprint))
{
}

struct RemoteHost::Request {
    std::string url;
    bool noBody = false;
    bool listing = false;
    std::FILE* upload = nullptr;
    std::uint64_t uploadSize = 0;
    std::string* download = nullptr;
    CurlList quote;
    CurlList postQuote;
    const Progress* progress = nullptr;
    // Runs without the waiting callback.
    bool unattended = false;
};

namespace {

int hostKeyCheck(CURL*, const curl_khkey*, const curl_khkey* found, curl_khmatch match, void* context)
{
    auto& seen = *static_cast<RemoteHost::HostKeySeen*>(context);
    Sha256 sum;
    sum.add(found->len > 0 ? std::string_view(found->key, found->len) : std::string_view(found->key));
    const Sha256::Digest digest = sum.finish();
    std::string fingerprint =
        base64(std::string_view(reinterpret_cast<const char*>(digest.data()), digest.size()));
    while (fingerprint.ends_with('='))
        fingerprint.pop_back();
    seen.fingerprint = "SHA256:" + fingerprint;
    if (match == CURLKHMATCH_OK)
        return CURLKHSTAT_FINE;
    if (match == CURLKHMATCH_MISSING && seen.acceptNew)
        return CURLKHSTAT_FINE_ADD_TO_FILE;
    seen.refused = true;
    seen.kind = match == CURLKHMATCH_MISMATCH ? HostKeyError::Kind::Changed : HostKeyError::Kind::Unknown;
    return CURLKHSTAT_REJECT;
}

int reportProgress(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t sent)
{
    const auto* progress = static_cast<const RemoteHost::Progress*>(context);
    return (*progress)(std::uint64_t(sent)) ? 0 : 1;
}

} // namespace

RemoteHost::RemoteHost(Login login) : login_(std::move(login)), curl_(nullptr)
{
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    curl_ = initialised ? curl_easy_init() : nullptr;
    if (!curl_)
        throw UploadError("The connection library could not be started.");
    hostKey_.acceptNew = login_.acceptNewHostKey;
}

RemoteHost::~RemoteHost()
{
    curl_easy_cleanup(static_cast<CURL*>(curl_));
}

std::string RemoteHost::url(const std::string& path) const
{
    const UploadSettings& s = login_.settings;
    // FTPS is FTP that turns to TLS before logging in (AUTH TLS), on FTP's own port.
    std::string address = (s.protocol == Protocol::Sftp ? "sftp://" : "ftp://") + s.host;
    if (s.port > 0)
        address += ":" + std::to_string(s.port);
    std::string escaped;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        const std::string segment = path.substr(start, slash - start);
        char* piece = curl_easy_escape(static_cast<CURL*>(curl_), segment.c_str(), int(segment.size()));
        escaped += piece;
        curl_free(piece);
        if (slash < path.size())
            escaped += '/';
        start = slash + 1;
    }
    if (path.starts_with('/'))
        // escaped starts with "/" already: an absolute path.
        return address + (s.protocol == Protocol::Sftp ? escaped : "/%2F" + escaped.substr(1));
    return address + (s.protocol == Protocol::Sftp ? "/~/" : "/") + escaped;
}

std::string RemoteHost::quoted(const std::string& path) const
{
    return login_.settings.protocol == Protocol::Sftp ? "\"" + path + "\"" : path;
}

void RemoteHost::perform(Request& request, const std::string& subject)
{
    CURL* curl = static_cast<CURL*>(curl_);
    const UploadSettings& s = login_.settings;
    curl_easy_reset(curl);
    char errors[CURL_ERROR_SIZE] = "";
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errors);
    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 30L);
    // A host that stops answering fails the transfer instead of holding it for ever.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(curl, CURLOPT_USERNAME, s.user.c_str());
    if (!login_.password.empty())
        curl_easy_setopt(curl, CURLOPT_PASSWORD, login_.password.c_str());
    if (!s.proxy.empty()) {
        curl_easy_setopt(curl, CURLOPT_PROXY, s.proxy.c_str());
        curl_easy_setopt(curl, CURLOPT_HTTPPROXYTUNNEL, 1L);
    }
    if (s.protocol == Protocol::Sftp) {
        long methods = 0;
        if (!s.keyFile.empty()) {
            methods |= CURLSSH_AUTH_PUBLICKEY;
            curl_easy_setopt(curl, CURLOPT_SSH_PRIVATE_KEYFILE, s.keyFile.c_str());
            const std::string publicKey = s.keyFile + ".pub";
            curl_easy_setopt(curl, CURLOPT_SSH_PUBLIC_KEYFILE,
                             std::filesystem::exists(publicKey) ? publicKey.c_str() : "");
        }
        if (!login_.password.empty())
            methods |= CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD;
        curl_easy_setopt(curl, CURLOPT_SSH_AUTH_TYPES, methods ? methods : long(CURLSSH_AUTH_PASSWORD));
        curl_easy_setopt(curl, CURLOPT_SSH_KNOWNHOSTS, login_.knownHostsFile.c_str());
        curl_easy_setopt(curl, CURLOPT_SSH_KEYFUNCTION, hostKeyCheck);
        curl_easy_setopt(curl, CURLOPT_SSH_KEYDATA, &hostKey_);
    } else {
        curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_NOCWD));
        if (s.protocol == Protocol::Ftps) {
            curl_easy_setopt(curl, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
            if (!s.certificateFile.empty())
                curl_easy_setopt(curl, CURLOPT_CAINFO, s.certificateFile.c_str());
        }
    }
    if (request.noBody)
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    if (request.quote.head)
        curl_easy_setopt(curl, CURLOPT_QUOTE, request.quote.head);
    if (request.postQuote.head)
        curl_easy_setopt(curl, CURLOPT_POSTQUOTE, request.postQuote.head);
    if (request.upload) {
        curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(curl, CURLOPT_READDATA, request.upload);
        curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(request.uploadSize));
    }
    if (request.download) {
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, appendToString);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, request.download);
    }
    const Progress* waiting = waiting_ && !request.unattended ? &waiting_ : nullptr;
    if (const Progress* progress = request.progress ? request.progress : waiting) {
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, reportProgress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, progress);
    }
    hostKey_.refused = false;
    const CURLcode result = curl_easy_perform(curl);
    if (result == CURLE_OK)
        return;
    if (hostKey_.refused)
        throw HostKeyError(hostKey_.kind, hostKey_.fingerprint);
    if (result == CURLE_ABORTED_BY_CALLBACK)
        throw UploadCancelled();
    const std::string answer = *errors ? errors : curl_easy_strerror(result);
    // An FTP server may answer the listing of a missing folder as it answers
    // the fetch of a missing file.
    if (result == CURLE_REMOTE_FILE_NOT_FOUND || (request.listing && result == CURLE_FTP_COULDNT_RETR_FILE))
        throw NotOnHost(subject + ": " + answer);
    if (result == CURLE_LOGIN_DENIED)
        throw LoginRefused("Cannot log in to " + s.host + " as " + s.user + ": " + answer);
    throw UploadError(subject + ": " + answer);
}

std::vector<RemoteEntry> RemoteHost::list(const std::string& folder)
{
    std::string listing;
    Request request;
    request.url = url(folder) + "/";
    request.download = &listing;
    request.listing = true;
    try {
        perform(request, "Cannot list folder " + folder + " on the host");
    } catch (const NotOnHost&) {
        return {};
    }
    std::vector<RemoteEntry> entries;
    std::istringstream lines(listing);
    std::string line;
    while (std::getline(lines, line)) {
        RemoteEntry entry;
        if (parseListingLine(line, entry))
            entries.push_back(std::move(entry));
    }
    return entries;
}

void RemoteHost::makeFolder(const std::string& folder, int mode)
{
    Request request;
    request.url = url("");
    request.noBody = true;
    const bool sftp = login_.settings.protocol == Protocol::Sftp;
    // Folders on the way may be there already; a mode that cannot be set on
    // the folder made is a failure.
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1))
        request.quote.add((sftp ? "*mkdir " : "*MKD ") + quoted(folder.substr(0, slash)));
    request.quote.add((sftp ? "*mkdir " : "*MKD ") + quoted(folder));
    request.quote.add(sftp ? "chmod " + octal(mode) + " " + quoted(folder)
                           : "*SITE CHMOD " + octal(mode) + " " + folder);
    perform(request, "Cannot make folder " + folder + " on the host");
}

void RemoteHost::send(const std::string& localFile, const std::string& target, int mode,
                      const Progress& progress)
{
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(localFile.c_str(), "rb"));
    if (!file)
        throw UploadError("Cannot open file " + localFile);
    std::error_code ec;
    const std::uint64_t size = std::filesystem::file_size(localFile, ec);
    const std::string temporary = temporaryName(target);
    Request request;
    request.url = url(temporary);
    request.upload = file.get();
    request.uploadSize = ec ? 0 : size;
    request.progress = progress ? &progress : nullptr;
    if (login_.settings.protocol == Protocol::Sftp) {
        request.postQuote.add("chmod " + octal(mode) + " " + quoted(temporary));
        // SFTP's rename does not replace a file: the old one goes just before.
        request.postQuote.add("*rm " + quoted(target));
        request.postQuote.add("rename " + quoted(temporary) + " " + quoted(target));
    } else {
        request.postQuote.add("*SITE CHMOD " + octal(mode) + " " + temporary);
        request.postQuote.add("RNFR " + temporary);
        request.postQuote.add("RNTO " + target);
    }
    try {
        perform(request, "Cannot send " + target);
    } catch (const UploadCancelled&) {
        discard(temporary);
        throw;
    }
}

void RemoteHost::discard(const std::string& path) noexcept
{
    try {
        Request request;
        request.url = url("");
        request.noBody = true;
        // The merchant asked to stop: nothing may ask again whether to go on.
        request.unattended = true;
        request.quote.add(login_.settings.protocol == Protocol::Sftp ? "*rm " + quoted(path) : "*DELE " + path);
        perform(request, "Cannot delete " + path + " on the host");
    } catch (...) {
        // Left behind, the hidden part is replaced by the next upload of the file.
    }
}

void RemoteHost::remove(const std::string& path)
{
    Request request;
    request.url = url("");
    request.noBody = true;
    request.quote.add(login_.settings.protocol == Protocol::Sftp ? "rm " + quoted(path) : "DELE " + path);
    perform(request, "Cannot delete " + path + " on the host");
}

std::string RemoteHost::fetch(const std::string& path)
{
    std::string bytes;
    Request request;
    request.url = url(path);
    request.download = &bytes;
    perform(request, "Cannot fetch " + path);
    return bytes;
}

} // namespace qs
