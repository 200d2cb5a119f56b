#pragma once

#include "core/settings/FlavoursFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

struct AppState;
class UserInterface;

// What the "Product Options" dialog edits: the shop's options file and one
// options value, the positions of the options that apply joined by "|". The
// options and their variations change in memory until confirm() writes the
// file; the ticks start from the value and become the new value. Positions
// given by the dialog that name nothing (no selection) do nothing.
class ProductOptions {
public:
    ProductOptions(AppState& state, UserInterface& ui);

    // Reads the options file and ticks the options the value names. False,
    // after saying why, when the value names something that is not an option
    // or the file exists but cannot be read: the dialog then does not open.
    bool open(std::string_view value);

    const OptionTable& options() const { return options_; }
    bool ticked(int option) const;
    void setTicked(int option, bool ticked);

    // The buttons. Each asks what it needs and tells whether the table changed.
    bool addOption();
    bool editOption(int option);
    bool deleteOption(int option);
    bool addVariation(int option);
    bool editVariation(int option, int variation);
    bool deleteVariation(int option, int variation);
    // Swaps the variation with its neighbour above (step -1) or below (+1)
    // and gives the position it now holds. Every press marks the catalogue
    // modified, even one that moves nothing.
    int moveVariation(int option, int variation, int step);

    // The ticked positions in increasing order, joined by "|".
    std::string value() const;
    // OK: writes the options file and gives the new value, or says why the
    // file could not be written and gives nothing.
    std::optional<std::string> confirm();

    static constexpr std::string_view noFileMessage = "You do not have a variations file.";
    static constexpr std::string_view deleteOptionQuestion =
        "Warning! If there are options set up for products in your catalogue already, this may cause those "
        "options to become incorrect. Do you wish to proceed?";
    static constexpr std::string_view separatorRefusal =
        "An option or a variation cannot contain a tab or a line break: the variations file uses them to "
        "separate its entries.";

private:
    std::string filePath() const;
    bool readFile();
    bool tickValue(std::string_view value);
    bool validOption(int option) const;
    bool validVariation(int option, int variation) const;
    // The answer to an input box, when it is a text the file can hold.
    std::optional<std::string> askName(std::string_view caption, std::string_view prompt,
                                       std::string_view initial);

    AppState& state_;
    UserInterface& ui_;
    OptionTable options_;
    std::vector<bool> ticked_;
};

} // namespace qs
