#include "core/settings/PostageAndPacking.h"

#include "core/settings/DecimalText.h"
#include "core/settings/OpenSettings.h"
#include "core/settings/SettingWords.h"
#include "core/settings/SettingsChange.h"
#include "core/settings/StoredText.h"
#include "core/text/AtomicFileSet.h"
#include "core/text/FileError.h"
#include "core/text/JoinPath.h"
#include "core/text/ReadFile.h"
#include "core/ui/UserInterface.h"

namespace qs {

namespace {

std::string areaFile(const std::string& dataDir)
{
    return joinPath(dataDir, areaFileName);
}

bool refused(const std::string& refusal, UserInterface& ui)
{
    if (refusal.empty())
        return false;
    ui.message(refusal, MessageKind::Warning);
    return true;
}

// Charges sit between "::" separators: a colon at either end of one would
// run into its neighbour.
bool chargeRefused(std::string_view charge, UserInterface& ui)
{
    return refused(separatorRefusal("A charge", charge, {":", lineBreakSeparator}), ui);
}

} // namespace

void PostageAndPacking::shopOpened(const std::string& dataDir)
{
    tables = ChargeTables::load(dataDir);
    try {
        areas = DeliveryAreas::parse(readFileBytes(areaFile(dataDir)));
    } catch (const FileError&) {
        areas = DeliveryAreas::builtIn();
    }
}

void PostageAndPacking::show(const ShopSettings& settings, const std::string& dataDir, UserInterface& ui)
{
    try {
        areas = DeliveryAreas::parse(readFileBytes(areaFile(dataDir)));
    } catch (const FileError&) {
        ui.message(noAreaFileMessage, MessageKind::Warning);
        areas = DeliveryAreas::builtIn();
    }
    const std::string stored = settingWord(settings, "shipmethod");
    method = NoMethod;
    for (int i = 0; i < static_cast<int>(std::size(methodValues)); ++i)
        if (methodValues[i] == stored)
            method = i;
    percentage = settings.value("shippercent");
    vatIncluded = settingWord(settings, "postvatinc") == "yes";
    weightUnit = settings.value("weightunit");
}

bool PostageAndPacking::renameArea(std::size_t entry, std::string_view name, UserInterface& ui)
{
    if (entry >= areas.entries.size() || name.empty() || name == areas.entries[entry].name)
        return false;
    if (refused(separatorRefusal("An area name", name, {"=", tabSeparator, lineBreakSeparator}), ui))
        return false;
    if (name.starts_with("*")) {
        ui.message(areaMarkMessage, MessageKind::Warning);
        return false;
    }
    const int existing = areas.find(name);
    if (existing >= 0 && existing != static_cast<int>(entry)) {
        ui.message(areaExistsMessage, MessageKind::Warning);
        return false;
    }
    // The default follows its area to the new name.
    if (areas.isDefault(entry))
        areas.defaultArea = name;
    areas.entries[entry].name = name;
    return true;
}

void PostageAndPacking::setZone(std::size_t entry, int zone)
{
    if (entry < areas.entries.size() && zone >= 1 && zone <= zoneCount)
        areas.entries[entry].setZone(zone);
}

void PostageAndPacking::setLiability(std::size_t entry, int liability)
{
    if (entry < areas.entries.size() && (liability == 0 || liability == 1))
        areas.entries[entry].setLiability(liability);
}

void PostageAndPacking::setDefault(std::size_t entry, bool isDefault)
{
    if (entry >= areas.entries.size())
        return;
    if (isDefault)
        areas.defaultArea = areas.entries[entry].name;
    else if (areas.isDefault(entry))
        areas.defaultArea.clear();
}

std::size_t PostageAndPacking::newArea(std::optional<std::size_t> before)
{
    std::string name = "New Area";
    for (int number = 2; areas.find(name) >= 0; ++number)
        name = "New Area " + std::to_string(number);
    const std::size_t at = before && *before < areas.entries.size() ? *before : areas.entries.size();
    areas.entries.insert(areas.entries.begin() + static_cast<std::ptrdiff_t>(at), {name, "1,0"});
    return at;
}

bool PostageAndPacking::deleteArea(std::size_t entry, UserInterface& ui)
{
    if (entry >= areas.entries.size())
        return false;
    const std::string question = "Delete '" + areas.entries[entry].name + "'?";
    if (ui.ask(question, MessageKind::Confirmation, Buttons::YesNo) != Answer::Yes)
        return false;
    if (areas.isDefault(entry))
        areas.defaultArea.clear();
    areas.entries.erase(areas.entries.begin() + static_cast<std::ptrdiff_t>(entry));
    return true;
}

bool PostageAndPacking::bandRefused(std::string_view text, std::optional<std::size_t> self,
                                    UserInterface& ui) const
{
    if (!isDecimal(text)) {
        ui.message(bandNotNumberMessage, MessageKind::Warning);
        return true;
    }
    const double value = decimalValue(text);
    for (std::size_t i = 0; i < tables.bands.size(); ++i)
        if (i != self && isDecimal(tables.bands[i]) && decimalValue(tables.bands[i]) == value) {
            ui.message(bandExistsMessage, MessageKind::Warning);
            return true;
        }
    return false;
}

std::optional<std::size_t> PostageAndPacking::placeBand(std::string band, ZoneCharges charges)
{
    auto& bands = tables.bands;
    tables.weightCharges.resize(bands.size());
    const double value = decimalValue(band);
    std::size_t at = 0;
    while (at < bands.size() && !(isDecimal(bands[at]) && decimalValue(bands[at]) > value))
        ++at;
    bands.insert(bands.begin() + static_cast<std::ptrdiff_t>(at), std::move(band));
    tables.weightCharges.insert(tables.weightCharges.begin() + static_cast<std::ptrdiff_t>(at),
                                std::move(charges));
    return at;
}

std::optional<std::size_t> PostageAndPacking::renameBand(std::size_t band, std::string_view text,
                                                         UserInterface& ui)
{
    if (band >= tables.bands.size() || text.empty())
        return std::nullopt;
    if (text == tables.bands[band])
        return band;
    if (bandRefused(text, band, ui))
        return std::nullopt;
    tables.weightCharges.resize(tables.bands.size());
    ZoneCharges charges = std::move(tables.weightCharges[band]);
    tables.bands.erase(tables.bands.begin() + static_cast<std::ptrdiff_t>(band));
    tables.weightCharges.erase(tables.weightCharges.begin() + static_cast<std::ptrdiff_t>(band));
    return placeBand(std::string(text), std::move(charges));
}

std::optional<std::size_t> PostageAndPacking::newBand(std::string_view text, UserInterface& ui)
{
    if (text.empty() || bandRefused(text, std::nullopt, ui))
        return std::nullopt;
    return placeBand(std::string(text), {});
}

bool PostageAndPacking::deleteBand(std::size_t band, UserInterface& ui)
{
    if (band >= tables.bands.size())
        return false;
    const std::string question = "Delete '" + tables.bands[band] + "'?";
    if (ui.ask(question, MessageKind::Confirmation, Buttons::YesNo) != Answer::Yes)
        return false;
    tables.weightCharges.resize(tables.bands.size());
    tables.bands.erase(tables.bands.begin() + static_cast<std::ptrdiff_t>(band));
    tables.weightCharges.erase(tables.weightCharges.begin() + static_cast<std::ptrdiff_t>(band));
    return true;
}

bool PostageAndPacking::setWeightCharge(std::size_t band, std::size_t zone, std::string_view charge,
                                        UserInterface& ui)
{
    if (band >= tables.bands.size() || zone >= static_cast<std::size_t>(zoneCount) ||
        chargeRefused(charge, ui))
        return false;
    tables.weightCharges.resize(tables.bands.size());
    tables.weightCharges[band][zone] = charge;
    return true;
}

bool PostageAndPacking::setFixedCost(std::size_t zone, std::string_view charge, UserInterface& ui)
{
    if (zone >= static_cast<std::size_t>(zoneCount) || chargeRefused(charge, ui))
        return false;
    tables.fixedCosts[zone] = charge;
    return true;
}

std::string PostageAndPacking::unitOf(std::string_view entry)
{
    const std::size_t open = entry.find('(');
    const std::size_t close = entry.find(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return std::string(entry);
    return std::string(entry.substr(open + 1, close - open - 1));
}

std::string PostageAndPacking::bandHeading(std::size_t band) const
{
    if (band >= tables.bands.size())
        return {};
    const std::string unit = unitOf(weightUnit);
    const std::string lower = band == 0 ? "0" : tables.bands[band - 1];
    return lower + unit + " to " + tables.bands[band] + unit;
}

bool PostageAndPacking::setWeightUnit(OpenSettings& settings, std::string_view unit, UserInterface& ui)
{
    if (refused(separatorRefusal("A weight unit", unit, {lineBreakSeparator}), ui))
        return false;
    weightUnit = unit;
    const ShopSettings before = settings.ShopFields;
    settings.ShopFields.setValue("weightunit", unit);
    noteSettingsChange(settings, before);
    return true;
}

bool PostageAndPacking::setVatIncluded(bool ticked, UserInterface& ui)
{
    vatIncluded = ticked && ui.ask(vatIncludedWarning, MessageKind::Warning, Buttons::OkCancel) == Answer::Ok;
    return vatIncluded;
}

bool PostageAndPacking::filesRefused(UserInterface& ui) const
{
    for (std::size_t entry = 0; entry < areas.entries.size(); ++entry)
        if (!areas.isDefault(entry) && areas.entries[entry].name.starts_with("*")) {
            ui.message(areaMarkMessage, MessageKind::Warning);
            return true;
        }
    for (const std::string& band : tables.bands)
        if (refused(separatorRefusal("A weight band", band, {":", lineBreakSeparator}), ui))
            return true;
    for (const ZoneCharges& charges : tables.weightCharges)
        for (const std::string& charge : charges)
            if (chargeRefused(charge, ui))
                return true;
    for (const std::string& cost : tables.fixedCosts)
        if (chargeRefused(cost, ui))
            return true;
    return false;
}

bool PostageAndPacking::accept(OpenSettings& settings, const std::string& dataDir, UserInterface& ui)
{
    if (method == Percentage &&
        refused(separatorRefusal("A percentage", percentage, {lineBreakSeparator}), ui))
        return false;
    if (filesRefused(ui))
        return false;
    try {
        AtomicFileSet files;
        files.add(areaFile(dataDir), areas.bytes());
        tables.save(dataDir, files);
        files.commit();
    } catch (const FileError& error) {
        ui.message(error.what(), MessageKind::Error);
        return false;
    }
    if (method < NoMethod || method > Percentage)
        method = NoMethod;
    const ShopSettings before = settings.ShopFields;
    if (method != NoMethod)
        settings.ShopFields.setValue("shipmethod", methodValues[method]);
    if (method == Percentage)
        settings.ShopFields.setValue("shippercent", percentage);
    settings.ShopFields.setValue("postvatinc", vatIncluded ? "yes" : "");
    noteSettingsChange(settings, before);
    return true;
}

} // namespace qs
