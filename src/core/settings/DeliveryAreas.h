#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qs {

// One delivery area of area.txt: its name and its "zone,liability" value,
// kept as read so that a line the dialog does not touch is written back
// byte for byte.
struct DeliveryArea {
    std::string name;
    std::string value;

    // The postal zone, 1 to zoneCount; 0 when the value names none.
    int zone() const;
    // 0 "Non VAT Liable", 1 "VAT Liable"; -1 when the value names neither.
    int liability() const;
    void setZone(int zone);
    void setLiability(int liability);

    bool operator==(const DeliveryArea&) const = default;
};

inline constexpr int zoneCount = 6;

// The delivery areas in their order, and the default area by name (empty:
// none). area.txt holds one line per area, name=zone,liability, each ended by
// CR LF; the default area's line starts with "*".
struct DeliveryAreas {
    std::vector<DeliveryArea> entries;
    std::string defaultArea;

    // On reading, a marked line loses its mark and the last one names the
    // default; without one there is no default. Empty lines are skipped.
    static DeliveryAreas parse(std::string_view bytes);
    std::string bytes() const;
    // The fifty areas used when a shop has no area file; no default.
    static DeliveryAreas builtIn();

    // The entry of that name, compared without regard to case, or -1.
    int find(std::string_view name) const;
    bool isDefault(std::size_t entry) const;

    bool operator==(const DeliveryAreas&) const = default;
};

// The zone names, "Zone 1" to "Zone 6".
std::vector<std::string> zoneNames();
// The liability names, by liability.
inline constexpr std::string_view liabilityNames[] = {"Non VAT Liable", "VAT Liable"};

inline constexpr const char* areaFileName = "area.txt";

} // namespace qs
