#include "core/publish/UploadTree.h"

#include "core/publish/HostDenyRules.h"
#include "core/publish/RemoteHost.h"
#include "core/publish/ServerDataFolders.h"
#include "core/text/Sha256.h"

#include <algorithm>
#include <filesystem>

namespace qs {
namespace fs = std::filesystem;

bool isServerDataFolder(const std::string& path)
{
    return std::any_of(std::begin(serverDataFolders), std::end(serverDataFolders),
                       [&](std::string_view name) { return path == "cgi/data/" + std::string(name); });
}

void readUploadTree(const std::string& root, const std::string& prefix, UploadTree& tree,
                    const std::function<bool(std::size_t)>& comparing)
{
    if (!fs::is_directory(root))
        return;
    tree.folders.push_back(prefix);
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const std::string relative = prefix + "/" + fs::relative(it->path(), root).generic_string();
        // The host's rules are the one hidden file of the shop.
        const std::string name = it->path().filename().string();
        const bool hidden = name.starts_with('.') && name != hostRulesFileName;
        if (it->is_directory()) {
            if (hidden || isServerDataFolder(relative))
                it.disable_recursion_pending();
            if (!hidden)
                tree.folders.push_back(relative);
        } else if (it->is_regular_file() && !hidden) {
            tree.files[relative] = {std::uint64_t(it->file_size()), Sha256::hexOfFile(it->path().string())};
            tree.localPaths[relative] = it->path().string();
            if (comparing && !comparing(tree.files.size()))
                throw UploadCancelled();
        }
    }
    std::sort(tree.folders.begin(), tree.folders.end());
}

} // namespace qs
