#include "CallLog.h"

#include "core/text/LineReader.h"
#include "core/text/SplitText.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace qs::faults {

std::vector<Call> readCallLog(const std::string& path)
{
    std::vector<Call> calls;
    if (!std::filesystem::exists(path))
        return calls;
    LineReader reader(path, 1 << 16);
    std::string_view line;
    while (reader.next(line)) {
        std::vector<std::string> fields;
        for (const auto& field : SplitText(line, '\t'))
            fields.emplace_back(field);
        Call call;
        call.failed = !fields.empty() && fields.back() == "FAILED";
        if (call.failed)
            fields.pop_back();
        fields.resize(3);
        call.kind = fields[0];
        call.path = fields[1];
        call.target = fields[2];
        calls.push_back(std::move(call));
    }
    return calls;
}

long countOf(const std::vector<Call>& calls, std::string_view kind)
{
    return std::count_if(calls.begin(), calls.end(), [&](const Call& c) { return c.kind == kind; });
}

bool anyFailed(const std::vector<Call>& calls)
{
    return std::any_of(calls.begin(), calls.end(), [](const Call& c) { return c.failed; });
}

std::vector<std::string> orderProblems(const std::vector<Call>& calls)
{
    std::vector<std::string> problems;
    // Whether each file has been flushed since its last write.
    std::map<std::string, bool> flushed;
    // The folders renamed into since they were last flushed, each with the
    // target of the first such rename.
    std::map<std::string, std::string> unflushedFolders;
    const auto foldersNotFlushed = [&] {
        for (const auto& [folder, target] : unflushedFolders)
            problems.push_back("the folder was not flushed after " + target + " was renamed into it");
        unflushedFolders.clear();
    };
    for (const Call& call : calls) {
        if (call.kind == "write") {
            foldersNotFlushed();
            flushed[call.path] = false;
        } else if (call.kind == "fsync") {
            flushed[call.path] = true;
            unflushedFolders.erase(call.path);
        } else if (call.kind == "rename") {
            if (!flushed[call.path])
                problems.push_back(call.path + " was renamed to " + call.target +
                                   " without being flushed after its last write");
            unflushedFolders.emplace(std::filesystem::path(call.target).parent_path().string(), call.target);
        }
    }
    foldersNotFlushed();
    return problems;
}

} // namespace qs::faults
