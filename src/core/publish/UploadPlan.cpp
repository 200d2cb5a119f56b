#include "core/publish/UploadPlan.h"

#include <algorithm>

namespace qs {

bool isScript(const std::string& path)
{
    return path.ends_with(".pl") || path.ends_with(".pm");
}

UploadPlan planUpload(const UploadedFiles& shop, const UploadedFiles& manifest, const HostSizes& host)
{
    UploadPlan plan;
    for (const auto& [path, sent] : manifest) {
        const auto onHost = host.find(path);
        if (onHost == host.end() || onHost->second != sent.size)
            plan.changedOnHost.push_back(path);
        if (!shop.contains(path) && onHost != host.end())
            plan.noLongerInShop.push_back(path);
    }
    for (const auto& [path, file] : shop) {
        const auto sent = manifest.find(path);
        const bool changedThere =
            std::binary_search(plan.changedOnHost.begin(), plan.changedOnHost.end(), path);
        if (sent == manifest.end() || sent->second != file || changedThere)
            plan.send.push_back(path);
    }
    std::stable_partition(plan.send.begin(), plan.send.end(),
                          [](const std::string& path) { return !isScript(path); });
    return plan;
}

} // namespace qs
