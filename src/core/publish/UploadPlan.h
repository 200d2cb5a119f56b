#pragma once

#include "core/publish/UploadManifest.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qs {

// What an upload has to do, worked out from the shop's files, the manifest of
// what was last sent and the sizes the host lists.
struct UploadPlan {
    // Files to send, in the order to send them: the scripts (.pl, .pm) last,
    // so that no script runs with the files it needs still on their way.
    std::vector<std::string> send;
    // Files sent earlier that the host no longer holds as sent: removed, or of
    // another size. They are sent again when the shop still has them.
    std::vector<std::string> changedOnHost;
    // Files sent earlier that the shop no longer has and the host still holds.
    std::vector<std::string> noLongerInShop;
};

// The host's sizes by path; a path the host lacks is absent.
using HostSizes = std::map<std::string, std::uint64_t>;

UploadPlan planUpload(const UploadedFiles& shop, const UploadedFiles& manifest, const HostSizes& host);

bool isScript(const std::string& path);

} // namespace qs
