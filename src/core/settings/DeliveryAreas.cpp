#include "core/settings/DeliveryAreas.h"

#include "core/text/CaseFold.h"
#include "core/text/LineSplitter.h"

namespace qs {

namespace {

constexpr std::string_view defaultMark = "*";

// The value's two pieces, either side of its first comma.
std::string_view zonePiece(std::string_view value)
{
    return value.substr(0, value.find(','));
}

std::string_view liabilityPiece(std::string_view value)
{
    const std::size_t comma = value.find(',');
    return comma == std::string_view::npos ? std::string_view() : value.substr(comma + 1);
}

} // namespace

int DeliveryArea::zone() const
{
    const std::string_view piece = zonePiece(value);
    if (piece.size() != 1 || piece[0] < '1' || piece[0] > '0' + zoneCount)
        return 0;
    return piece[0] - '0';
}

int DeliveryArea::liability() const
{
    const std::string_view piece = liabilityPiece(value);
    return piece == "0" ? 0 : piece == "1" ? 1 : -1;
}

void DeliveryArea::setZone(int zone)
{
    const int kept = liability();
    value = std::to_string(zone) + "," + std::to_string(kept < 0 ? 0 : kept);
}

void DeliveryArea::setLiability(int liability)
{
    value = std::string(zonePiece(value)) + "," + std::to_string(liability);
}

DeliveryAreas DeliveryAreas::parse(std::string_view bytes)
{
    DeliveryAreas areas;
    forEachLine(bytes, [&](std::string_view line) {
        if (line.empty())
            return;
        const bool marked = line.starts_with(defaultMark);
        if (marked)
            line.remove_prefix(defaultMark.size());
        const std::size_t eq = line.find('=');
        DeliveryArea& area = areas.entries.emplace_back();
        area.name = line.substr(0, eq);
        if (eq != std::string_view::npos)
            area.value = line.substr(eq + 1);
        if (marked)
            areas.defaultArea = area.name;
    });
    return areas;
}

std::string DeliveryAreas::bytes() const
{
    std::string text;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (isDefault(i))
            text.append(defaultMark);
        text.append(entries[i].name).append("=").append(entries[i].value).append("\r\n");
    }
    return text;
}

DeliveryAreas DeliveryAreas::builtIn()
{
    static constexpr std::string_view lines[] = {"Argentina=6,0",
                                                 "Australia=5,0",
                                                 "Austria=3,0",
                                                 "Bahamas=6,0",
                                                 "Bahrain=6,0",
                                                 "Belgium=3,0",
                                                 "Brazil=6,0",
                                                 "Brunei=5,0",
                                                 "Canada=4,0",
                                                 "Canary Islands=3,0",
                                                 "Channel Islands=1,0",
                                                 "Cyprus=3,0",
                                                 "Egypt=6,0",
                                                 "Denmark=3,0",
                                                 "Finland=3,0",
                                                 "France=3,0",
                                                 "Germany=3,0",
                                                 "Ghana=6,0",
                                                 "Gibraltar=3,0",
                                                 "Greece=3,0",
                                                 "Hong Kong=5,0",
                                                 "Hungary=3,0",
                                                 "India=6,0",
                                                 "Indonesia=5,0",
                                                 "Israel=6,0",
                                                 "Italy=3,0",
                                                 "Japan=5,0",
                                                 "Kenya=6,0",
                                                 "Korea Republic=5,0",
                                                 "Malaysia=5,0",
                                                 "Malta=3,0",
                                                 "Monaco=3,0",
                                                 "Myanmar=5,0",
                                                 "New Zealand=5,0",
                                                 "Norway=3,0",
                                                 "Phillippines=6,0",
                                                 "Portugal=3,0",
                                                 "Eire=2,0",
                                                 "Singapore=5,0",
                                                 "South Africa=6,0",
                                                 "Spain=3,0",
                                                 "Sweden=3,0",
                                                 "Switzerland=3,0",
                                                 "Taiwan=5,0",
                                                 "Thailand=5,0",
                                                 "Turkey=3,0",
                                                 "U.A.E.=6,0",
                                                 "United Kingdom=1,1",
                                                 "USA=4,0",
                                                 "West Indies=6,0"};
    DeliveryAreas areas;
    for (const std::string_view line : lines) {
        const std::size_t eq = line.find('=');
        areas.entries.push_back({std::string(line.substr(0, eq)), std::string(line.substr(eq + 1))});
    }
    return areas;
}

int DeliveryAreas::find(std::string_view name) const
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (equalsIgnoreCase(entries[i].name, name))
            return static_cast<int>(i);
    return -1;
}

bool DeliveryAreas::isDefault(std::size_t entry) const
{
    // The first entry of that exact name: a file may list a name twice.
    if (defaultArea.empty() || entry >= entries.size() || entries[entry].name != defaultArea)
        return false;
    for (std::size_t i = 0; i < entry; ++i)
        if (entries[i].name == defaultArea)
            return false;
    return true;
}

std::vector<std::string> zoneNames()
{
    std::vector<std::string> names;
    for (int zone = 1; zone <= zoneCount; ++zone)
        names.push_back("Zone " + std::to_string(zone));
    return names;
}

} // namespace qs
