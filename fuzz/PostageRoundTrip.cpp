#include "PostageRoundTrip.h"

#include "FuzzShop.h"

#include "core/app/AppState.h"
#include "core/app/ShopWorkspace.h"
#include "core/catalogue/EditorState.h"
#include "core/settings/PostageAndPacking.h"
#include "core/text/ReadFile.h"

#include <filesystem>
#include <optional>
#include <string>

namespace qs::fuzz {
namespace {

struct Accepted {
    DeliveryAreas areas;
    ChargeTables tables;
    std::string areaFile;
    std::string weightFile;
    std::string fixedFile;
};

void checkShown(const PostageAndPacking& postage)
{
    const auto& entries = postage.areas.entries;
    std::size_t defaults = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int zone = entries[i].zone();
        check(zone >= 0 && zone <= zoneCount, "a zone is one of the zones or none");
        check(entries[i].liability() >= -1 && entries[i].liability() <= 1,
              "a liability is one of two or none");
        defaults += postage.areas.isDefault(i) ? 1 : 0;
    }
    check(defaults <= 1, "at most one area is the default");
    const ChargeTables& tables = postage.tables;
    check(tables.weightCharges.size() == tables.bands.size(), "every band has its row of charges");
    for (std::size_t band = 0; band < tables.bands.size(); ++band)
        (void)postage.bandHeading(band);
}

// The three files as they stand; a missing one is empty.
std::string postageFiles(const FuzzShop& shop)
{
    std::string bytes;
    for (const char* name : {areaFileName, weightChargesFileName, fixedChargesFileName}) {
        std::error_code ec;
        if (std::filesystem::exists(shop.dataFile(name), ec))
            bytes.append(readFileBytes(shop.dataFile(name)));
        bytes.append("\n--\n");
    }
    return bytes;
}

// Opens the shop, shows the dialog and presses OK; nothing when OK refused
// what the files cannot hold, which leaves them as they were.
std::optional<Accepted> openShowAndAccept(const FuzzShop& shop)
{
    AppState state(shop.programDir());
    shop.enter(state);
    EditorState editor;
    QuietUser user;
    check(OpenChosenShop(state, editor, user), "the postage files never stop the open");
    PostageAndPacking& postage = state.Postage;
    checkShown(postage);
    postage.show(state, user);
    checkShown(postage);
    Accepted accepted{postage.areas, postage.tables, {}, {}, {}};
    const std::string before = postageFiles(shop);
    const int toldBefore = user.messages;
    if (!postage.accept(state, user)) {
        check(user.messages > toldBefore, "a refused OK says why");
        checkSame(before, postageFiles(shop), "a refused OK leaves the files as they were");
        return std::nullopt;
    }
    accepted.areaFile = readFileBytes(shop.dataFile(areaFileName));
    accepted.weightFile = readFileBytes(shop.dataFile(weightChargesFileName));
    accepted.fixedFile = readFileBytes(shop.dataFile(fixedChargesFileName));
    return accepted;
}

} // namespace

void checkPostageRoundTrip(const FuzzShop& shop)
{
    const auto first = openShowAndAccept(shop);
    if (!first)
        return;
    const auto second = openShowAndAccept(shop);
    check(second.has_value(), "what OK wrote is accepted again");
    check(second->areas == first->areas, "the areas come back");
    check(second->tables == first->tables, "the bands and charges come back");
    checkSame(first->areaFile, second->areaFile, "area.txt stays the same");
    checkSame(first->weightFile, second->weightFile, "zones_data.log stays the same");
    checkSame(first->fixedFile, second->fixedFile, "zones_fixed.log stays the same");
}

void checkPostageBytesRoundTrip(std::string_view areaBytes, std::string_view weightBytes,
                                std::string_view fixedBytes)
{
    PostageAndPacking read;
    read.areas = DeliveryAreas::parse(areaBytes);
    read.tables = ChargeTables::parse(weightBytes, fixedBytes);
    checkShown(read);
    QuietUser user;
    if (read.filesRefused(user)) {
        check(user.messages > 0, "a refused OK says why");
        return;
    }
    const std::string areaFile = read.areas.bytes();
    const std::string weightFile = read.tables.weightBytes();
    const std::string fixedFile = read.tables.fixedBytes();
    const DeliveryAreas areas = DeliveryAreas::parse(areaFile);
    const ChargeTables tables = ChargeTables::parse(weightFile, fixedFile);
    check(areas == read.areas, "the areas come back");
    check(tables == read.tables, "the bands and charges come back");
    checkSame(areaFile, areas.bytes(), "area.txt is written the same again");
    checkSame(weightFile, tables.weightBytes(), "zones_data.log is written the same again");
    checkSame(fixedFile, tables.fixedBytes(), "zones_fixed.log is written the same again");
}

} // namespace qs::fuzz
