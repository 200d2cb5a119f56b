#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

struct DeliveryAreas;
class UserInterface;

// What the "Special VAT Rates by Country" dialog edits: countries.tax, one
// row per country with a special rate under each VAT code. The columns are
// the codes shop.tax holds, then empty ones up to four; stored rates are
// matched to the codes by their headings, so OK realigns them to the
// current codes. An empty rate means no special rate.
class VatCountries {
public:
    struct Row {
        std::string country;
        std::vector<std::string> rates;
        bool operator==(const Row&) const = default;
    };

    std::vector<std::string> codes;
    std::vector<Row> rows;
    // What Add Country offers: the delivery areas of the postage settings.
    std::vector<std::string> countries;

    // On show. A file that cannot be read is told: false, and the dialog
    // does not open.
    bool open(const std::string& dataDir, const DeliveryAreas& areas, UserInterface& ui);
    // Columns of rates, codes and padding.
    std::size_t columnCount() const;
    // Only a code's column takes a rate.
    bool editable(std::size_t column) const { return column < codes.size(); }

    bool addCountry(std::string_view country, UserInterface& ui);
    bool deleteCountry(std::size_t row, UserInterface& ui);
    // A rate is a number, stored with two decimals, or empty.
    bool setRate(std::size_t row, std::size_t column, std::string_view rate, UserInterface& ui);

    // OK: countries.tax with the current codes as headings. A file that
    // cannot be written is told: false.
    bool accept(const std::string& dataDir, UserInterface& ui) const;

    static constexpr std::string_view deleteQuestion = "Are you sure you want to delete this country?";
    static constexpr std::string_view listedMessage = "That country is already listed.";
    static constexpr std::string_view rateMessage =
        "A special rate must be a number, such as 17.5, or empty.";
};

} // namespace qs
