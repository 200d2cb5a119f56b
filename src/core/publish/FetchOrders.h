#pragma once

#include <string>
#include <vector>

namespace qs {

struct AppState;
class RemoteHost;
struct UploadSettings;

// Bringing the orders the shop's scripts wrote on the web host into the
// shop's own data folder.

struct FetchedOrder {
    std::string number;
    std::string date;
    std::string name;
    std::string total;
    std::string status;
};

// The order files of data/orders on the host that the shop's local
// data/orders folder lacks, copied there (an order already fetched is never
// replaced), in number order. Throws UploadError, FileError.
std::vector<FetchedOrder> fetchNewOrders(const AppState& state, const UploadSettings& settings,
                                         RemoteHost& host);

// The orders fetched into the shop's data folder so far, in number order;
// a file that cannot be read is left out.
std::vector<FetchedOrder> fetchedOrders(const AppState& state);
// The file of a fetched order, by its number.
std::string fetchedOrderFile(const AppState& state, const std::string& number);

// The summary values of an order file's bytes (name=value lines).
FetchedOrder readOrderSummary(const std::string& bytes);

// "order N: DATE NAME TOTAL", as the command line prints a fetched order.
std::string orderLine(const FetchedOrder& order);

} // namespace qs
