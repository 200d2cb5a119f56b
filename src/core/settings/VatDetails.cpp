#include "core/settings/VatDetails.h"

#include "core/settings/CountryRates.h"
#include "core/settings/DecimalText.h"
#include "core/settings/OpenSettings.h"
#include "core/settings/SettingWords.h"
#include "core/settings/SettingsChange.h"
#include "core/settings/StoredText.h"
#include "core/text/AtomicFileSet.h"
#include "core/text/CaseFold.h"
#include "core/text/FileError.h"
#include "core/text/JoinPath.h"
#include "core/ui/UserInterface.h"

namespace qs {

namespace {

std::string codesFile(const std::string& dataDir)
{
    return joinPath(dataDir, vatCodesFileName);
}

} // namespace

bool VatDetails::open(const ShopSettings& settings, const std::string& dataDir, UserInterface& ui)
{
    renames_.clear();
    try {
        codes = readVatCodes(codesFile(dataDir));
    } catch (const FileError& error) {
        ui.message(error.what(), MessageKind::Error);
        return false;
    }
    const std::string action = settingWord(settings, "taxaction");
    ignoreVat = action == "ignore";
    if (!ignoreVat)
        priceDetails = action == "include" ? Included : NotIncluded;
    return true;
}

bool VatDetails::refused(std::string_view code, std::string_view rate, std::string_view description,
                         std::ptrdiff_t other, UserInterface& ui) const
{
    std::string refusal = separatorRefusal("A VAT code", code, {"=", tabSeparator, lineBreakSeparator});
    if (refusal.empty() && !isDecimal(rate))
        refusal = rateMessage;
    if (refusal.empty())
        refusal = separatorRefusal("A description", description, {tabSeparator, lineBreakSeparator});
    for (std::size_t i = 0; refusal.empty() && i < codes.size(); ++i)
        if (static_cast<std::ptrdiff_t>(i) != other && equalsIgnoreCase(codes[i].code, code))
            refusal = duplicateMessage;
    if (refusal.empty())
        return false;
    ui.message(refusal, MessageKind::Warning);
    return true;
}

bool VatDetails::add(std::string_view code, std::string_view rate, std::string_view description,
                     UserInterface& ui)
{
    code = strippedText(code);
    rate = strippedText(rate);
    if (code.empty() || rate.empty()) {
        ui.message(missingMessage, MessageKind::Warning);
        return false;
    }
    if (refused(code, rate, description, -1, ui))
        return false;
    codes.push_back({std::string(code), withTwoDecimals(rate), std::string(description)});
    return true;
}

bool VatDetails::modify(std::size_t row, std::string_view code, std::string_view rate,
                        std::string_view description, UserInterface& ui)
{
    if (row >= codes.size())
        return false;
    code = strippedText(code);
    rate = strippedText(rate);
    if (code.empty()) {
        ui.message(missingMessage, MessageKind::Warning);
        return false;
    }
    const std::string_view typedRate = rate.empty() ? std::string_view("0") : rate;
    if (refused(code, typedRate, description, static_cast<std::ptrdiff_t>(row), ui))
        return false;
    VatCode& entry = codes[row];
    if (entry.code != code)
        renames_.emplace_back(entry.code, code);
    entry = {std::string(code), withTwoDecimals(typedRate), std::string(description)};
    return true;
}

void VatDetails::remove(std::size_t row)
{
    if (row < codes.size())
        codes.erase(codes.begin() + static_cast<std::ptrdiff_t>(row));
}

bool VatDetails::accept(OpenSettings& settings, const std::string& dataDir, UserInterface& ui)
{
    const ShopSettings before = settings.ShopFields;
    settings.ShopFields.setValue("taxaction", ignoreVat                     ? "ignore"
                                              : priceDetails == NotIncluded ? "exclude"
                                                                            : "include");
    noteSettingsChange(settings, before);
    try {
        AtomicFileSet files;
        files.add(codesFile(dataDir), vatCodesBytes(codes));
        renameCountryHeadings(joinPath(dataDir, countryRatesFileName), renames_, files);
        files.commit();
    } catch (const FileError& error) {
        ui.message(error.what(), MessageKind::Error);
        return false;
    }
    renames_.clear();
    return true;
}

} // namespace qs
