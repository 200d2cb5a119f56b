#pragma once

#include "core/publish/UploadManifest.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qs {

// The files of a folder as the upload compares them: each by its manifest
// path (the prefix, then its path within the folder), with its size and
// digest. Hidden files and folders stay out (but for the host's rules), and
// so do the contents of the folders the shop's scripts write in on the host:
// what those hold there is the host's own.
struct UploadTree {
    UploadedFiles files;
    // Folders by their manifest path, parents first.
    std::vector<std::string> folders;
    std::map<std::string, std::string> localPaths;
};

// Adds the folder's files under the prefix ("cgi" or "images"); a folder that
// is not there adds nothing. `comparing` is called after each file; false
// throws UploadCancelled.
void readUploadTree(const std::string& root, const std::string& prefix, UploadTree& tree,
                    const std::function<bool(std::size_t filesCompared)>& comparing = {});

bool isServerDataFolder(const std::string& path);

} // namespace qs
