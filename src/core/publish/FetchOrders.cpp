#include "core/publish/FetchOrders.h"

#include "core/app/AppState.h"
#include "core/publish/RemoteHost.h"
#include "core/publish/Upload.h"
#include "core/text/AtomicFile.h"
#include "core/text/FileError.h"
#include "core/text/FileOps.h"
#include "core/text/JoinPath.h"
#include "core/text/NameValueList.h"
#include "core/text/ReadFile.h"

#include <algorithm>
#include <filesystem>
#include <regex>

namespace qs {
namespace {

// The names the scripts give order files: the number, without leading zeros.
std::optional<unsigned long> orderNumber(const std::string& fileName)
{
    static const std::regex name(R"(([1-9][0-9]{0,17})\.order)");
    std::smatch match;
    if (!std::regex_match(fileName, match, name))
        return std::nullopt;
    return std::stoul(match[1]);
}

std::vector<std::pair<unsigned long, std::string>> sortedOrderNames(std::vector<std::string> names)
{
    std::vector<std::pair<unsigned long, std::string>> orders;
    for (std::string& name : names)
        if (const auto number = orderNumber(name))
            orders.emplace_back(*number, std::move(name));
    std::sort(orders.begin(), orders.end());
    return orders;
}

std::string localOrdersFolder(const AppState& state)
{
    return joinPath(state.ShopDataDir(), "orders");
}

} // namespace

std::vector<FetchedOrder> fetchedOrders(const AppState& state)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(localOrdersFolder(state), ec))
        if (entry.is_regular_file(ec))
            names.push_back(entry.path().filename().string());
    std::vector<FetchedOrder> orders;
    for (const auto& [number, name] : sortedOrderNames(std::move(names))) {
        try {
            orders.push_back(readOrderSummary(readFileBytes(joinPath(localOrdersFolder(state), name))));
        } catch (const FileError&) {
        }
    }
    return orders;
}

std::string fetchedOrderFile(const AppState& state, const std::string& number)
{
    return joinPath(localOrdersFolder(state), number + ".order");
}

FetchedOrder readOrderSummary(const std::string& bytes)
{
    const NameValueList values = NameValueList::fromText(bytes);
    return {std::string(values.value("order")), std::string(values.value("date")),
            std::string(values.value("name")), std::string(values.value("total")),
            std::string(values.value("status"))};
}

std::string orderLine(const FetchedOrder& order)
{
    return "order " + order.number + ": " + order.date + " " + order.name + " " + order.total;
}

std::vector<FetchedOrder> fetchNewOrders(const AppState& state, const UploadSettings& settings,
                                         RemoteHost& host)
{
    const std::string localFolder = localOrdersFolder(state);
    MakeDirPath(localFolder);
    const std::string hostFolder = hostPath(settings, "cgi/data/orders");
    std::vector<std::string> names;
    for (const RemoteEntry& entry : host.list(hostFolder))
        if (!entry.folder)
            names.push_back(entry.name);
    std::vector<FetchedOrder> fetched;
    for (const auto& [number, name] : sortedOrderNames(std::move(names))) {
        const std::string local = joinPath(localFolder, name);
        if (std::filesystem::exists(local))
            continue;
        const std::string bytes = host.fetch(hostFolder + "/" + name);
        AtomicFileWriter writer(local);
        writer.write(bytes);
        writer.commit();
        fetched.push_back(readOrderSummary(bytes));
    }
    return fetched;
}

} // namespace qs
