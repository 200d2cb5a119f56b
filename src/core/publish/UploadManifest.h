#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace qs {

struct AppState;

// A file as the upload knows it: its size and SHA-256 digest (hexadecimal).
struct UploadedFile {
    std::uint64_t size = 0;
    std::string sha256;
    bool operator==(const UploadedFile&) const = default;
};

// The files by their path on the host, relative to the upload's two folders:
// "cgi/..." and "images/...".
using UploadedFiles = std::map<std::string, UploadedFile>;

// What was last sent to one host: kept beside the upload folder in
// upload/SHOP.manifest, one "SIZE SHA256 PATH" line a file (CR LF), after a
// "Host=" line naming the host. Sending to another host starts afresh.
struct UploadManifest {
    std::string host;
    UploadedFiles files;
};

std::string uploadManifestFile(const AppState& state);

// The manifest for the host: empty when there is none, it names another host,
// or it cannot be read (everything is then sent again). Lines that do not
// read as files are left out.
UploadManifest readUploadManifest(const std::string& path, const std::string& host);
// Replaces the file atomically; throws FileError.
void writeUploadManifest(const std::string& path, const UploadManifest& manifest);

} // namespace qs
