#pragma once

#include "core/publish/UploadSettings.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qs {

struct AppState;
class RemoteHost;

// Sending the shop's upload folder (SHOP-cgi and SHOP-images) to its web
// host: only what changed since the last upload to that host, each file
// under a temporary name renamed into place, the scripts last.

struct UploadProgress {
    std::string file;
    std::size_t fileNumber = 0; // from 1
    std::size_t fileCount = 0;
    std::uint64_t fileSent = 0;
    std::uint64_t fileSize = 0;
    std::uint64_t totalSent = 0;
    std::uint64_t totalSize = 0;
};

struct UploadOptions {
    // Works out and tells what would be sent and deleted, sending nothing.
    bool dryRun = false;
    // Deletes on the host the files sent earlier that the shop no longer has.
    bool deleteRemoved = false;
    // Asked, before anything is sent, whether to delete those files; true
    // deletes them as deleteRemoved does. Not asked in a dry run.
    std::function<bool(const std::vector<std::string>& noLongerInShop)> confirmDeletion;
    // Called as each of the shop's files is compared with the last upload;
    // false cancels the upload (UploadCancelled is thrown).
    std::function<bool(std::size_t filesCompared)> comparing;
    // Called as bytes go; false cancels the upload (UploadCancelled is thrown).
    std::function<bool(const UploadProgress&)> progress;
    // Called after each file is in place on the host (or would be, in a dry run).
    std::function<void(const std::string& path)> fileSent;
};

struct UploadReport {
    std::vector<std::string> sent;
    std::vector<std::string> deleted;
    // Changed or removed on the host since it was sent, found by its listing.
    std::vector<std::string> changedOnHost;
    // Sent earlier, gone from the shop, still on the host (and not deleted).
    std::vector<std::string> noLongerInShop;
};

// The upload. After a cancellation or failure (UploadError) what was sent is
// kept in the manifest, so that the next run sends only the rest.
UploadReport runUpload(const AppState& state, const UploadSettings& settings, RemoteHost& host,
                       const UploadOptions& options);

// The host's path of a file of the manifest ("cgi/..." or "images/...").
std::string hostPath(const UploadSettings& settings, const std::string& path);

// The mode a file gets on the host: the administrators' password file 0600
// (the scripts run as its owner on a host that runs CGI as the account's
// user), scripts 0755, everything else 0644.
int uploadMode(const std::string& path);

} // namespace qs
