#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qs {

// One VAT code of shop.tax: the code a product's "Tax Code" names, its rate
// in percent and a description.
struct VatCode {
    std::string code;
    std::string rate;
    std::string description;

    bool operator==(const VatCode&) const = default;
};

// shop.tax: one line per code, code=rate TAB description, each ended by CR LF.
// On reading, empty lines are skipped, pieces after the description dropped.
std::vector<VatCode> parseVatCodes(std::string_view bytes);
std::string vatCodesBytes(const std::vector<VatCode>& codes);
// A shop without the file has no codes yet; one that cannot be read throws
// FileError.
std::vector<VatCode> readVatCodes(const std::string& path);

inline constexpr const char* vatCodesFileName = "shop.tax";

} // namespace qs
