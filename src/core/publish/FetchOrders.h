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
    // Its file in the shop's orders folder: "12.order", or "12-2.order" for a
    // second, different order numbered 12 (from another host, or after the
    // host's counter started again).
    std::string file;
    // An order of the same number fetched earlier is another order; both are kept.
    bool numberTakenBefore = false;
};

// The order files of data/orders on the host that are new to the shop's
// local data/orders folder, copied there in number order. An order fetched
// already is never replaced: the host's file of a known number is fetched
// again only when its listed size or date changed since, and kept beside the
// earlier one when it is another order (neither the same bytes nor placed at
// the same time, as an order whose status the administrators changed is).
// Throws UploadError, FileError.
std::vector<FetchedOrder> fetchNewOrders(const AppState& state, const UploadSettings& settings,
                                         RemoteHost& host);

// The orders fetched into the shop's data folder so far, in number order;
// a file that cannot be read is left out.
std::vector<FetchedOrder> fetchedOrders(const AppState& state);
// The path of a fetched order's file, by its name in the orders folder.
std::string fetchedOrderFile(const AppState& state, const std::string& file);

// The summary values of an order file's bytes (name=value lines).
FetchedOrder readOrderSummary(const std::string& bytes);

// "order N: DATE NAME TOTAL", as the command line prints a fetched order.
std::string orderLine(const FetchedOrder& order);
// What the merchant is told of an order kept beside an earlier one of its number.
std::string numberTakenBeforeMessage(const FetchedOrder& order);

} // namespace qs
