#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

class TNewProduct;
class UserInterface;

// The products a load had to give another name than the file's: those with
// no name at all, and those whose name another product of their category
// already carried. The merchant hears of each kind once, after the load, in a
// message that lists the first few and counts the rest.
class RenamedProducts {
public:
    void unnamed(const TNewProduct& product);
    void duplicate(std::string_view wantedName, const TNewProduct& product);

    bool empty() const { return unnamed_.count == 0 && duplicates_.count == 0; }
    // One message for each kind that occurred.
    void tell(UserInterface& ui) const;
    std::size_t duplicateCount() const { return duplicates_.count; }
    // The duplicates as tell lists them, under another heading.
    std::string duplicatesMessage(std::string_view heading) const { return duplicates_.message(heading); }

    static constexpr std::size_t listed = 20;
    static constexpr std::string_view unnamedHeading =
        "These products had no name in the catalogue file and have been given one:";
    static constexpr std::string_view duplicateHeading =
        "These products had the name of another product of their category and have been renamed:";

private:
    struct Kind {
        std::vector<std::string> lines; // the first few
        std::size_t count = 0;

        void add(std::string line);
        std::string message(std::string_view heading) const;
    };

    static std::string where(const TNewProduct& product);

    Kind unnamed_;
    Kind duplicates_;
};

} // namespace qs
