#pragma once

#include "core/settings/DeliveryAreas.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

class AtomicFileSet;

// One charge per postal zone, as typed.
using ZoneCharges = std::array<std::string, zoneCount>;

// The weight bands and the two charge tables of the shop's postage:
// zones_data.log, one line per band ("1::100::2.50::...::", the line number,
// the band's upper limit, then one charge per zone), and zones_fixed.log, one
// line ("1::", the first band, then one cost per zone). Each row of the
// weight table belongs to the band at the same position.
struct ChargeTables {
    std::vector<std::string> bands;
    std::vector<ZoneCharges> weightCharges;
    ZoneCharges fixedCosts;

    // Reading never goes out of range: a line's missing pieces are empty,
    // pieces past the six zones are ignored, and weight lines without "::"
    // (empty or damaged) are skipped.
    static ChargeTables parse(std::string_view weightBytes, std::string_view fixedBytes);
    std::string weightBytes() const;
    std::string fixedBytes() const;

    // The shop's two files; a file that is missing or cannot be read gives
    // empty tables, without a word.
    static ChargeTables load(const std::string& dataDir);
    // Adds the shop's two files to the set, which the caller commits. Throws FileError.
    void save(const std::string& dataDir, AtomicFileSet& files) const;

    bool operator==(const ChargeTables&) const = default;
};

inline constexpr const char* weightChargesFileName = "zones_data.log";
inline constexpr const char* fixedChargesFileName = "zones_fixed.log";

} // namespace qs
