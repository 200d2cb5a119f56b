#include "core/publish/OrderReadiness.h"

#include "core/app/AppState.h"
#include "core/catalogue/ShopReadableValue.h"
#include "core/settings/ChargeTables.h"
#include "core/settings/CountryRates.h"
#include "core/settings/DecimalText.h"
#include "core/settings/SettingWords.h"
#include "core/settings/StoredText.h"
#include "core/settings/VatCodes.h"
#include "core/text/CaseFold.h"
#include "core/text/FileError.h"
#include "core/text/JoinPath.h"
#include "core/text/SplitText.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

namespace qs {

namespace {

constexpr std::string_view postalChargesPlace =
    "in Options, Postal Charges, on the \"Postal Charges\" page of Postage and Packing Info";

std::string products(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " product" : " products");
}

bool blank(std::string_view text)
{
    return strippedText(text).empty();
}

// A charge as the shop's scripts read it.
bool isNumber(std::string_view text)
{
    return isDecimal(strippedText(text));
}

bool anyCharge(const ZoneCharges& charges)
{
    return std::any_of(charges.begin(), charges.end(), [](const std::string& c) { return isNumber(c); });
}

// A band the scripts can charge by: a limit and a charge for some zone.
bool anyChargedBand(const ChargeTables& tables)
{
    for (std::size_t band = 0; band < tables.bands.size() && band < tables.weightCharges.size(); ++band)
        if (isExactWeight(tables.bands[band]) && anyCharge(tables.weightCharges[band]))
            return true;
    return false;
}

// Every product of the category and of the categories below it, in tree order.
template <typename Visit> void forEachProduct(const TNewCategory& category, Visit&& visit)
{
    for (const auto& product : category.products())
        visit(*product, category);
    for (const auto& child : category.children())
        forEachProduct(*child, visit);
}

std::string productName(const TNewProduct& product, const TNewCategory& category)
{
    std::string name(product.name());
    return category.isRoot() ? name : name + " in " + category.path();
}

// A field's value for each of the product's types, as the shop's scripts
// read it: the whole value, or, for a field held per type, each of its
// values joined by "|", the first standing in for an empty one.
std::vector<std::string_view> typeValues(const AppState& state, const TNewProduct& product,
                                         std::string_view field)
{
    const std::string_view value = product.effectiveField(field);
    if (state.InfoList.FieldAttribute(field, FieldDefinitions::Extensible) != "Yes")
        return {value};
    std::vector<std::string_view> values = SplitText(value, '|');
    for (std::string_view& typeValue : values)
        if (typeValue.empty())
            typeValue = values.front();
    return values;
}

// The names, joined by ", ", the ones past the limit counted as more of what.
std::string namedList(const std::vector<std::string>& names, std::size_t total, std::string_view what)
{
    std::string text;
    for (const std::string& name : names)
        text.append(text.empty() ? "" : ", ").append(name);
    if (total > names.size())
        text.append(" and ").append(std::to_string(total - names.size())).append(" more ").append(what);
    return text;
}

std::string salesAddressWarning(const AppState& state)
{
    if (!blank(state.ShopFields.value("sales_email")))
        return {};
    return "The shop has no sales e-mail address, so it could not tell you of an order. Fill in "
           "\"Sales e-mail\" in Options, Merchant Details.";
}

std::string merchantKeyWarning(const AppState& state)
{
    const std::string key = joinPath(state.ShopDataDir(), std::string(merchantKeyFileName));
    std::error_code ec;
    if (settingWord(state.ShopFields, "paymethod") != "credit card" ||
        std::filesystem::is_regular_file(key, ec))
        return {};
    return "Payment is by Credit Card, but the shop's data folder has no public key file " +
           std::string(merchantKeyFileName) +
           ", so card numbers are not taken and customers are offered a phone call back instead. Put your "
           "public key there as " +
           key + ", or choose another method in Options, Payment Method.";
}

std::string postageWarning(const AppState& state)
{
    const std::string method = settingWord(state.ShopFields, "shipmethod");
    if (method == "percentage") {
        const std::string_view percentage = state.ShopFields.value("shippercent");
        if (isExactRate(percentage))
            return {};
        const std::string what = blank(percentage) ? std::string("no percentage is set")
                                                   : "the percentage \"" + std::string(percentage) +
                                                         "\" is not a plain number, so the shop cannot work "
                                                         "out the postage and takes no order";
        return "Postage is a percentage of the order value, but " + what + ". Type one such as 5 or 12.5 " +
               std::string(postalChargesPlace) + ".";
    }
    if (method.empty())
        return "No postage method is chosen, so the shop will charge no postage. Choose one " +
               std::string(postalChargesPlace) + ".";
    // A word the scripts do not know has its warning among the setting words.
    if (method != "perzoneweight" && method != "perzone")
        return {};
    const ChargeTables tables = ChargeTables::load(state.ShopDataDir());
    if (method == "perzone")
        return anyCharge(tables.fixedCosts) ? std::string()
                                            : "Postage is a fixed cost per zone, but no zone has a cost, so "
                                              "the shop has no postage to "
                                              "charge. Type the costs " +
                                                  std::string(postalChargesPlace) + ".";
    if (anyChargedBand(tables))
        return {};
    return "Postage is charged by weight and zone, but no weight band has a charge, so the shop has no "
           "postage to charge. Make the weight bands in Options, Postal Charges, on the \"Weight "
           "Categories\" "
           "page of Postage and Packing Info, and type their charges on its \"Postal Charges\" page.";
}

struct UnknownCode {
    std::string spelling; // as the first product gives it
    std::size_t count = 0;
};

bool vatIgnored(const AppState& state)
{
    return settingWord(state.ShopFields, "taxaction") == "ignore";
}

std::string taxCodeWarning(const AppState& state)
{
    if (vatIgnored(state))
        return {};
    std::vector<VatCode> codes;
    try {
        codes = readVatCodes(joinPath(state.ShopDataDir(), vatCodesFileName));
    } catch (const FileError& error) {
        return "The shop's VAT codes could not be read, so no product is charged VAT (" +
               std::string(error.what()) + "). Check them in Options, VAT Information.";
    }
    std::set<std::string, std::less<>> known;
    for (const VatCode& code : codes)
        known.insert(lowerCased(code.code));
    std::map<std::string, UnknownCode, std::less<>> unknown;
    std::size_t total = 0;
    forEachProduct(state.catalogue.root(), [&](const TNewProduct& product, const TNewCategory&) {
        // Each unknown code counts the product once, however many of its types have it.
        std::set<std::string, std::less<>> productCodes;
        for (const std::string_view code : typeValues(state, product, "Tax Code")) {
            std::string folded = lowerCased(code);
            if ((folded.empty() || !known.contains(folded)) && productCodes.insert(folded).second) {
                UnknownCode& entry = unknown[std::move(folded)];
                if (entry.count++ == 0)
                    entry.spelling = code;
            }
        }
        total += productCodes.empty() ? 0 : 1;
    });
    if (unknown.empty())
        return {};
    std::vector<std::string> named;
    for (const auto& [folded, entry] : unknown) {
        if (named.size() == unknownTaxCodesNamed)
            break;
        named.push_back((folded.empty() ? std::string("no Tax Code") : "\"" + entry.spelling + "\"") + " (" +
                        products(entry.count) + ")");
    }
    return products(total) +
           (total == 1 ? " has a Tax Code that is none of the shop's VAT codes, so it is charged no VAT: "
                       : " have a Tax Code that is none of the shop's VAT codes, so they are charged no VAT: ") +
           namedList(named, unknown.size(), "codes") +
           ". Add the codes in Options, VAT Information, or correct the products' Tax Code; if the shop "
           "charges no VAT, tick \"Do not perform any VAT calculations at all\" there.";
}

// VAT rates of shop.tax and special rates of countries.tax that are not
// numbers: the scripts never charge another rate in their place, so an order
// that needs one cannot be placed.
std::string vatRateWarning(const AppState& state)
{
    if (vatIgnored(state))
        return {};
    std::vector<std::string> named;
    try {
        for (const VatCode& code : readVatCodes(joinPath(state.ShopDataDir(), vatCodesFileName)))
            if (!isExactRate(code.rate))
                named.push_back("\"" + code.rate + "\" of code " + code.code);
        const CountryRates special = CountryRates::read(joinPath(state.ShopDataDir(), countryRatesFileName));
        for (const CountryRates::Country& country : special.countries)
            for (std::size_t i = 0; i < country.rates.size() && i < special.headings.size(); ++i)
                if (!special.headings[i].empty() && !blank(country.rates[i]) &&
                    !isExactRate(country.rates[i]))
                    named.push_back("\"" + country.rates[i] + "\" of code " + special.headings[i] + " for " +
                                    country.name);
    } catch (const FileError&) {
        return {}; // told by the Tax Code warning
    }
    if (named.empty())
        return {};
    return std::string(named.size() == 1 ? "A VAT rate is" : "VAT rates are") +
           " not a plain number, so the shop cannot work out the VAT of an order that needs " +
           (named.size() == 1 ? "it" : "them") +
           " and takes no such order: " + namedList(named, named.size(), "rates") +
           ". Type rates such as 17.5 in Options, VAT Information (special rates by country under "
           "Advanced).";
}

std::string settingWordWarning(const AppState& state)
{
    std::vector<std::string> named;
    for (const UnknownSettingWord& setting : unknownSettingWords(state.ShopFields)) {
        std::string words;
        for (std::size_t i = 0; i < setting.known.size(); ++i)
            words.append(i == 0                          ? ""
                         : i + 1 == setting.known.size() ? " or "
                                                         : ", ")
                .append(setting.known[i]);
        named.push_back(setting.name + "=\"" + setting.value + "\" (the shop knows " + words + ")");
    }
    if (named.empty())
        return {};
    return "The shop's settings file holds " + std::string(named.size() == 1 ? "a word" : "words") +
           " the shop does not know, and the shop does as if " +
           (named.size() == 1 ? "it were" : "they were") +
           " not set: " + namedList(named, named.size(), "settings") +
           ". Set each again in its Options window; capitals do not matter.";
}

std::string weightWarning(const AppState& state)
{
    if (settingWord(state.ShopFields, "shipmethod") != "perzoneweight")
        return {};
    std::vector<std::string> named;
    std::size_t total = 0;
    forEachProduct(state.catalogue.root(), [&](const TNewProduct& product, const TNewCategory& category) {
        // A weight typed but unreadable has a warning of its own.
        const std::vector<std::string_view> weights = typeValues(state, product, "Weight");
        if (std::none_of(weights.begin(), weights.end(), blank))
            return;
        if (++total <= productsWithoutWeightNamed)
            named.push_back(productName(product, category));
    });
    if (total == 0)
        return {};
    return "Postage is charged by weight, but " + products(total) +
           (total == 1 ? " has no weight, and counts" : " have no weight, and count") +
           " as weighing nothing in the postage: " +
           namedList(named, total, "products") +
           ". Type each one's Weight, a number such as 250, in the product grid.";
}

bool heldPerType(const AppState& state, std::string_view field)
{
    return state.InfoList.FieldAttribute(field, FieldDefinitions::Extensible) == "Yes";
}

// Every product whose price or weight (its own or its category's default)
// the shop's scripts cannot read, by category and name with the value.
std::string unreadableValueWarning(const AppState& state, std::string_view field)
{
    const bool perType = heldPerType(state, field);
    std::vector<std::string> named;
    std::size_t total = 0;
    forEachProduct(state.catalogue.root(), [&](const TNewProduct& product, const TNewCategory& category) {
        const std::string_view value = product.effectiveField(field);
        if (readableByShop(field, value, perType))
            return;
        if (++total <= unreadableValuesNamed)
            named.push_back(productName(product, category) + " (\"" + std::string(value) + "\")");
    });
    if (total == 0)
        return {};
    const bool price = field == "Price";
    return products(total) + (total == 1 ? " has a " : " have a ") + (price ? "price" : "weight") +
           " the shop cannot read, so " +
           (price ? std::string("it shows \"Price on request\" for ") + (total == 1 ? "it" : "them")
                  : std::string(total == 1 ? "it weighs" : "they weigh") + " nothing in the postage") + ": " +
           namedList(named, total, "products") + ". Type " + (price ? "prices" : "weights") +
           " as plain numbers such as " + (price ? "12.50" : "250") + ", without " +
           (price ? "a currency sign" : "a unit") +
           (perType ? ", one for each type joined by \"|\"" : ", one for the whole product") +
           ", in the product grid.";
}

// The first line of every script names the host's Perl: a relative path, or
// another program, and no page of the shop opens.
std::string perlPathWarning(const AppState& state)
{
    const std::filesystem::path path(state.RemPerlPath);
    const std::string name = path.filename().string();
    if (path.is_absolute() && (name == "perl" || name.starts_with("perl5")))
        return {};
    return "The remote Perl path \"" + state.RemPerlPath +
           "\" is not the full path of Perl on a web server, so the shop's scripts would not start "
           "there. Type the path your host gives, such as /usr/bin/perl, as \"Remote path to Perl5\" "
           "in File, Location Details.";
}

} // namespace

const TNewProduct* firstUnreadableProduct(const AppState& state)
{
    const TNewProduct* found = nullptr;
    for (const std::string_view field : {std::string_view("Price"), std::string_view("Weight")}) {
        const bool perType = heldPerType(state, field);
        forEachProduct(state.catalogue.root(), [&](const TNewProduct& product, const TNewCategory&) {
            if (!found && !readableByShop(field, product.effectiveField(field), perType))
                found = &product;
        });
    }
    return found;
}

std::string showUnreadableProductQuestion(const TNewProduct& product)
{
    const std::string where = product.Category && !product.Category->isRoot()
                                  ? " in " + product.Category->path()
                                  : std::string();
    return "Show " + std::string(product.name()) + where +
           ", the first product whose price or weight the shop cannot read?";
}

std::vector<std::string> orderReadinessWarnings(const AppState& state)
{
    std::vector<std::string> warnings;
    for (std::string warning :
         {settingWordWarning(state), salesAddressWarning(state), merchantKeyWarning(state), perlPathWarning(state),
          postageWarning(state), taxCodeWarning(state), vatRateWarning(state), unreadableValueWarning(state, "Price"),
          unreadableValueWarning(state, "Weight"), weightWarning(state)})
        if (!warning.empty())
            warnings.push_back(std::move(warning));
    return warnings;
}

std::string exportDespiteQuestion(const std::vector<std::string>& warnings)
{
    std::string text = "Your shop cannot take orders properly as it is set:";
    for (const std::string& warning : warnings)
        text.append("\n\n- ").append(warning);
    return text.append("\n\nExport anyway?");
}

} // namespace qs
