#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

class FieldDefinitions;
class ShopSettings;
class UserInterface;

// What the "Online Search Configuration" dialog edits: the product fields the
// shop's online search looks in besides the product name, in order, each
// with the label customers see. searchfields holds them as entries joined by
// ",", each the field's column in the catalogue file, ":" and the label.
class SearchFields {
public:
    struct Choice {
        std::size_t column;
        std::string name;
        std::string label;
        bool operator==(const Choice&) const = default;
    };

    // The defined product fields that are columns of the catalogue file.
    std::vector<std::string> offered;
    std::vector<Choice> chosen;

    // On show. An entry whose column is not a whole number, or names no
    // column, is told: false, and the dialog does not open. An entry without
    // ":" is labelled with the field's name; a field listed twice counts once.
    bool fill(const ShopSettings& settings, const FieldDefinitions& fields, UserInterface& ui);

    // Appends an offered field that is not chosen yet, labelled with its
    // name; its position.
    std::optional<std::size_t> add(std::string_view field);
    void remove(std::size_t row);
    // A label holding what separates the entries is refused (told: false).
    bool changeLabel(std::size_t row, std::string_view label, UserInterface& ui);
    // Swaps the choice with its neighbour above (step -1) or below (+1); the
    // position it now holds.
    std::optional<std::size_t> move(std::size_t row, int step);

    // OK; no choice removes the key.
    void accept(ShopSettings& settings) const;
};

} // namespace qs
