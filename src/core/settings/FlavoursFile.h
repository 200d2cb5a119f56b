#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qs {

// One product option (a size, a colour) and its variations, in display order.
struct ProductOption {
    std::string name;
    std::vector<std::string> variations;

    bool operator==(const ProductOption&) const = default;
};

using OptionTable = std::vector<ProductOption>;

// The shop's options file, flavours.txt: one line per option, its name and
// then each variation after a TAB, every line ended by CR LF. On reading,
// empty lines are skipped and every TAB separates two entries, so a trailing
// TAB gives an empty last variation.
OptionTable parseFlavours(std::string_view bytes);
std::string flavoursBytes(const OptionTable& options);

// Throw FileError with the system's reason.
OptionTable readFlavoursFile(const std::string& path);
void writeFlavoursFile(const std::string& path, const OptionTable& options);

inline constexpr const char* flavoursFileName = "flavours.txt";

} // namespace qs
