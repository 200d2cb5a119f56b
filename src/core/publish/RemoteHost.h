#pragma once

#include "core/publish/UploadSettings.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qs {

// A transfer that failed: the message names the file and gives the server's answer.
class UploadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The transfer was stopped by its progress callback.
class UploadCancelled : public UploadError {
public:
    UploadCancelled() : UploadError("The upload was cancelled.") {}
};

// The host refused the login: a wrong user or password, or a key it does not take.
class LoginRefused : public UploadError {
public:
    using UploadError::UploadError;
};

// The SFTP host showed a key the shop's known-hosts file does not hold
// (Unknown) or one other than the key it holds for the host (Changed).
class HostKeyError : public UploadError {
public:
    enum class Kind { Unknown, Changed };
    HostKeyError(Kind kind, std::string fingerprint);
    Kind kind;
    // "SHA256:" and the key's digest in base64, as ssh-keygen -l shows it.
    std::string fingerprint;
};

struct RemoteEntry {
    std::string name;
    std::uint64_t size = 0;
    bool folder = false;
    // The modification date and time as the listing shows it ("Dec  8 10:05").
    std::string stamp;
};

// One session with the web host through libcurl: the connection stays open
// from one call to the next. Paths are the host's: a path without a leading
// "/" lies within the folder the login starts in. Every failure throws
// UploadError.
class RemoteHost {
public:
    // Bytes sent of the current file; false cancels the transfer.
    using Progress = std::function<bool(std::uint64_t sent)>;

    struct Login {
        UploadSettings settings;
        std::string password;
        // The program's own known-hosts file for SFTP.
        std::string knownHostsFile;
        // An unknown host key is added to the file instead of refused.
        bool acceptNewHostKey = false;
    };

    explicit RemoteHost(Login login);
    ~RemoteHost();
    RemoteHost(const RemoteHost&) = delete;
    RemoteHost& operator=(const RemoteHost&) = delete;

    // Called now and then while the host is being waited for (connecting,
    // listing, fetching), with no bytes sent; false cancels.
    void whileWaiting(Progress keepGoing) { waiting_ = std::move(keepGoing); }

    // What a folder holds, without "." and ".."; empty when there is no such folder.
    std::vector<RemoteEntry> list(const std::string& folder);
    // Makes the folder, and the folders on its way that are not there, and
    // gives it the mode.
    void makeFolder(const std::string& folder, int mode);
    // Sends the file to a hidden temporary name beside the target, gives it the
    // mode and only then renames it into place, replacing the old file. A
    // cancelled transfer removes the temporary file.
    void send(const std::string& localFile, const std::string& target, int mode, const Progress& progress);
    void remove(const std::string& path);
    // The bytes of a file on the host.
    std::string fetch(const std::string& path);

private:
    struct Request;
    void perform(Request& request, const std::string& subject);
    std::string url(const std::string& path) const;
    std::string quoted(const std::string& path) const;
    // Deletes the file if it can; a failure is let pass.
    void discard(const std::string& path) noexcept;

public:
    // What the host key check saw on the last connection.
    struct HostKeySeen {
        bool acceptNew = false;
        bool refused = false;
        HostKeyError::Kind kind = HostKeyError::Kind::Unknown;
        std::string fingerprint;
    };

private:
    Login login_;
    Progress waiting_;
    void* curl_;
    HostKeySeen hostKey_;
};

} // namespace qs
