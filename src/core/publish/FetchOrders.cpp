#include "core/publish/FetchOrders.h"

#include "core/app/AppState.h"
#include "core/publish/RemoteHost.h"
#include "core/publish/Upload.h"
#include "core/text/AtomicFile.h"
#include "core/text/FileError.h"
#include "core/text/FileOps.h"
#include "core/text/JoinPath.h"
#include "core/text/LineSplitter.h"
#include "core/text/NameValueList.h"
#include "core/text/ReadFile.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <regex>

namespace qs {
namespace {

// The record of the host's order files as last listed, beside the orders:
// "NAME SIZE STAMP" lines.
constexpr const char* seenOnHostFileName = "fetched-from-host.txt";

struct OrderName {
    unsigned long number = 0;
    // 1 for "N.order", K for "N-K.order".
    unsigned long copy = 1;
    std::string file;
    auto operator<=>(const OrderName&) const = default;
};

// The names the scripts give order files (the number, without leading
// zeros) and the names a second order of a number is kept under.
std::optional<OrderName> orderName(const std::string& fileName)
{
    static const std::regex name(R"(([1-9][0-9]{0,17})(?:-([2-9]|[1-9][0-9]{1,3}))?\.order)");
    std::smatch match;
    if (!std::regex_match(fileName, match, name))
        return std::nullopt;
    return OrderName{std::stoul(match[1]), match[2].matched ? std::stoul(match[2]) : 1, fileName};
}

std::vector<OrderName> sortedOrderNames(const std::vector<std::string>& names)
{
    std::vector<OrderName> orders;
    for (const std::string& name : names)
        if (const auto order = orderName(name))
            orders.push_back(*order);
    std::sort(orders.begin(), orders.end());
    return orders;
}

std::string localOrdersFolder(const AppState& state)
{
    return joinPath(state.ShopDataDir(), "orders");
}

std::vector<std::string> fileNamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.is_regular_file(ec))
            names.push_back(entry.path().filename().string());
    return names;
}

using SeenOnHost = std::map<std::string, std::string>;

SeenOnHost readSeenOnHost(const std::string& path)
{
    SeenOnHost seen;
    std::string text;
    try {
        text = readFileBytes(path);
    } catch (const FileError&) {
        return seen;
    }
    forEachLine(text, [&](std::string_view line) {
        if (const auto space = line.find(' '); space != std::string_view::npos)
            seen[std::string(line.substr(0, space))] = std::string(line.substr(space + 1));
    });
    return seen;
}

// Whether one of the orders of the number kept already is this one: the same
// bytes, or placed at the same time (its status changed on the host since).
bool keptAlready(const std::string& folder, const std::vector<OrderName>& sameNumber, const std::string& bytes)
{
    const std::string placed = readOrderSummary(bytes).date;
    return std::any_of(sameNumber.begin(), sameNumber.end(), [&](const OrderName& kept) {
        const std::string keptBytes = readFileBytes(joinPath(folder, kept.file));
        return keptBytes == bytes || (!placed.empty() && readOrderSummary(keptBytes).date == placed);
    });
}

} // namespace

std::vector<FetchedOrder> fetchedOrders(const AppState& state)
{
    const std::string folder = localOrdersFolder(state);
    std::vector<FetchedOrder> orders;
    for (const OrderName& name : sortedOrderNames(fileNamesIn(folder))) {
        try {
            orders.push_back(readOrderSummary(readFileBytes(joinPath(folder, name.file))));
            orders.back().file = name.file;
        } catch (const FileError&) {
        }
    }
    return orders;
}

std::string fetchedOrderFile(const AppState& state, const std::string& file)
{
    return joinPath(localOrdersFolder(state), file);
}

FetchedOrder readOrderSummary(const std::string& bytes)
{
    const NameValueList values = NameValueList::fromText(bytes);
    return {std::string(values.value("order")), std::string(values.value("date")),
            std::string(values.value("name")),  std::string(values.value("total")),
            std::string(values.value("status")), {}, false};
}

std::string orderLine(const FetchedOrder& order)
{
    return "order " + order.number + ": " + order.date + " " + order.name + " " + order.total;
}

std::string numberTakenBeforeMessage(const FetchedOrder& order)
{
    return "Order " + order.number + " on your web host is not the order " + order.number +
           " fetched before (the host's order numbers started again, or it is another host); both are kept, "
           "this one as " + order.file + ".";
}

std::vector<FetchedOrder> fetchNewOrders(const AppState& state, const UploadSettings& settings,
                                         RemoteHost& host)
{
    const std::string localFolder = localOrdersFolder(state);
    MakeDirPath(localFolder);
    const std::string seenPath = joinPath(localFolder, seenOnHostFileName);
    SeenOnHost seen = readSeenOnHost(seenPath);
    std::map<unsigned long, std::vector<OrderName>> kept;
    for (const OrderName& name : sortedOrderNames(fileNamesIn(localFolder)))
        kept[name.number].push_back(name);

    const std::string hostFolder = hostPath(settings, "cgi/data/orders");
    std::map<std::string, std::string> listed;
    std::vector<std::string> names;
    for (const RemoteEntry& entry : host.list(hostFolder))
        if (!entry.folder) {
            listed[entry.name] = std::to_string(entry.size) + " " + entry.stamp;
            names.push_back(entry.name);
        }
    std::vector<FetchedOrder> fetched;
    const auto keep = [&](const std::string& file, const std::string& bytes, bool numberTakenBefore) {
        writeFileAtomically(joinPath(localFolder, file), bytes);
        fetched.push_back(readOrderSummary(bytes));
        fetched.back().file = file;
        fetched.back().numberTakenBefore = numberTakenBefore;
    };
    for (const OrderName& name : sortedOrderNames(names)) {
        if (name.copy != 1)
            continue;
        std::vector<OrderName>& sameNumber = kept[name.number];
        const std::string& mark = listed[name.file];
        if (!sameNumber.empty() && seen[name.file] == mark)
            continue;
        const std::string bytes = host.fetch(hostFolder + "/" + name.file);
        seen[name.file] = mark;
        if (sameNumber.empty()) {
            keep(name.file, bytes, false);
        } else if (!keptAlready(localFolder, sameNumber, bytes)) {
            const unsigned long copy = sameNumber.back().copy + 1;
            keep(std::to_string(name.number) + "-" + std::to_string(copy) + ".order", bytes, true);
        } else {
            continue;
        }
        sameNumber.push_back(*orderName(fetched.back().file));
    }
    std::string record;
    for (const auto& [file, mark] : seen)
        record += file + " " + mark + "\r\n";
    writeFileAtomically(seenPath, record);
    return fetched;
}

} // namespace qs
