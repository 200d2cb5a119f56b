#pragma once

#include "core/settings/ChargeTables.h"
#include "core/settings/DeliveryAreas.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qs {

struct OpenSettings;
class ShopSettings;
class UserInterface;

// What the "Postage and Packing Info" dialog edits: the delivery areas, the
// weight bands with the two charge tables, and the charging method, the
// percentage, whether charges include VAT and the weight unit (keys of the
// shop settings list). It lives for the whole run: the tables are read when a
// shop opens and keep what the merchant typed until the next shop opens; the
// areas and the keys are read again at every showing.
class PostageAndPacking {
public:
    // A shop whose settings name no method charges no postage: the dialog
    // says so rather than show a method as if it were chosen.
    enum Method { NoMethod = -1, PerZoneWeight, PerZone, Percentage };

    DeliveryAreas areas = DeliveryAreas::builtIn();
    ChargeTables tables;
    int method = NoMethod;
    std::string percentage;
    bool vatIncluded = false;
    std::string weightUnit;

    // A shop has opened: the tables and areas of its data folder, or empty
    // tables and the built-in areas where its files are missing, never
    // another shop's.
    void shopOpened(const std::string& dataDir);
    // The dialog shows: the shop's area file (a missing one is told, and the
    // built-in areas are used), then the keys. A shop without a method shows
    // none chosen.
    void show(const ShopSettings& settings, const std::string& dataDir, UserInterface& ui);

    // Each edit that is refused tells why and changes nothing: false.
    bool renameArea(std::size_t entry, std::string_view name, UserInterface& ui);
    void setZone(std::size_t entry, int zone);
    void setLiability(std::size_t entry, int liability);
    void setDefault(std::size_t entry, bool isDefault);
    // "New Area" (numbered when the name is taken), zone 1, not liable,
    // before the entry given or at the end. Its position.
    std::size_t newArea(std::optional<std::size_t> before);
    bool deleteArea(std::size_t entry, UserInterface& ui);

    // Bands are numbers in ascending order; a band's charges move with it.
    // The band's new position.
    std::optional<std::size_t> renameBand(std::size_t band, std::string_view text, UserInterface& ui);
    std::optional<std::size_t> newBand(std::string_view text, UserInterface& ui);
    bool deleteBand(std::size_t band, UserInterface& ui);
    // Without a band there is no row to type a charge into.
    bool chargesEditable() const { return !tables.bands.empty(); }
    bool setWeightCharge(std::size_t band, std::size_t zone, std::string_view charge, UserInterface& ui);
    bool setFixedCost(std::size_t zone, std::string_view charge, UserInterface& ui);
    // "0g to 100g": the band's lower and upper limits with the unit.
    std::string bandHeading(std::size_t band) const;
    // The text between the first "(" and the first ")", or the whole text.
    static std::string unitOf(std::string_view entry);

    // The unit box stores every change at once.
    bool setWeightUnit(OpenSettings& settings, std::string_view unit, UserInterface& ui);
    // Ticking asks first; Cancel leaves the box clear. What the box now shows.
    bool setVatIncluded(bool ticked, UserInterface& ui);

    // OK: the three files, then the keys. A file that cannot be written is
    // told and the keys stay as they were: false. So is an area, band or
    // charge that the files cannot hold, which only damaged files can have given.
    bool accept(OpenSettings& settings, const std::string& dataDir, UserInterface& ui);

    static constexpr std::string_view methodNames[] = {"Postal Charges by Weight & Zone",
                                                       "Fixed Cost per Zone", "Percentage of Value"};
    static constexpr std::string_view methodValues[] = {"perzoneweight", "perzone", "percentage"};
    static constexpr std::string_view unitNames[] = {"grammes (g)", "kilos (kg)", "ounces (oz)",
                                                     "pounds (lb)"};

    static constexpr std::string_view noAreaFileMessage = "Could not open areas file.";
    static constexpr std::string_view vatIncludedWarning =
        "Warning! Postage and packing are VAT-charged at a composite rate which depends on the order "
        "contents.\nSelecting this option stops Quaystall DB from doing VAT calculations on postage and "
        "packing.\nIf you have products with differing VAT rates, this will result in VAT being incorrectly "
        "charged.";
    static constexpr std::string_view bandNotNumberMessage = "A weight band must be a number, such as 250.";
    static constexpr std::string_view bandExistsMessage = "That weight band is already listed.";
    static constexpr std::string_view areaExistsMessage = "An area of that name is already listed.";
    static constexpr std::string_view areaMarkMessage =
        "An area name cannot start with \"*\", which marks the default area.";

    // Whether OK must refuse what the files cannot hold, telling why: a "*"
    // at the start of an area name other than the default's would mark it the
    // default; a ":" in a band or charge would run into the "::" after it.
    bool filesRefused(UserInterface& ui) const;

private:
    std::optional<std::size_t> placeBand(std::string band, ZoneCharges charges);
    bool bandRefused(std::string_view text, std::optional<std::size_t> self, UserInterface& ui) const;
};

} // namespace qs
