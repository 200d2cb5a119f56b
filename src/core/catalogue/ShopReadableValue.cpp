#include "core/catalogue/ShopReadableValue.h"

#include "core/text/SplitText.h"

#include <algorithm>
#include <vector>

namespace qs {

namespace {

constexpr std::string_view priceField = "Price";
constexpr std::string_view weightField = "Weight";

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Digits with at most one point and some digit, no more whole digits than
// the scripts take.
bool isPlainNumber(std::string_view text, std::size_t wholeDigits)
{
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto digits = [](std::string_view part) { return std::all_of(part.begin(), part.end(), isDigit); };
    return !(whole.empty() && fraction.empty()) && whole.size() <= wholeDigits && digits(whole) &&
           digits(fraction);
}

// The scripts keep a weight exactly, in millionths: at most seven whole
// digits and six decimals, noughts at either end not counted.
bool isExactWeight(std::string_view text)
{
    if (!isPlainNumber(text, text.size()))
        return false;
    const std::size_t point = std::min(text.find('.'), text.size());
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = text.substr(std::min(point + 1, text.size()));
    while (!whole.empty() && whole.front() == '0')
        whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.remove_suffix(1);
    return whole.size() <= 7 && fraction.size() <= 6;
}

bool readableOne(std::string_view field, std::string_view value)
{
    value = trimmed(value);
    // A price of up to twelve whole digits, rounded to the penny.
    return value.empty() || (field == priceField ? isPlainNumber(value, 12) : isExactWeight(value));
}

// The first value that stops the scripts, or the whole value.
std::string_view firstUnreadable(std::string_view field, std::string_view value)
{
    for (const std::string_view piece : SplitText(value, '|'))
        if (!readableOne(field, piece))
            return piece;
    return value;
}

std::string consequence(std::string_view field)
{
    return field == priceField ? "it will show \"Price on request\""
                               : "the product will weigh nothing in the postage";
}

std::string example(std::string_view field)
{
    return field == priceField ? "12.50" : "250";
}

} // namespace

bool isShopNumberField(std::string_view field)
{
    return field == priceField || field == weightField;
}

bool readableByShop(std::string_view field, std::string_view value, bool heldPerType)
{
    if (!isShopNumberField(field))
        return true;
    if (!heldPerType)
        return readableOne(field, value);
    const std::vector<std::string_view> pieces = SplitText(value, '|');
    return std::all_of(pieces.begin(), pieces.end(),
                       [&](std::string_view piece) { return readableOne(field, piece); });
}

std::string unreadableValueNote(std::string_view field, std::string_view value, bool heldPerType)
{
    if (readableByShop(field, value, heldPerType))
        return {};
    const std::string name = field == priceField ? "price" : "weight";
    if (!heldPerType && value.find('|') != std::string_view::npos) {
        const std::string first = likelyNumber(value.substr(0, value.find('|')));
        return "This shop keeps one " + name + " for all of a product's types, so it cannot read \"" +
               std::string(value) + "\" and " + consequence(field) + ". Type one " + name + " such as " +
               (first.empty() ? example(field) : first) +
               "; the Help's \"Types\" page says how to give each " + "type its own " + name + ".";
    }
    const std::string_view bad = firstUnreadable(field, value);
    const std::string suggestion = likelyNumber(bad);
    return "The shop cannot read the " + name + " \"" + std::string(trimmed(bad)) + "\", so " +
           consequence(field) + ". Type a plain number such as " +
           (suggestion.empty() ? example(field) : suggestion) +
           (field == priceField ? ", without a currency sign." : ", without a unit.");
}

std::string likelyNumber(std::string_view text)
{
    std::string kept;
    for (const char c : trimmed(text))
        if (isDigit(c) || c == '.' || c == ',')
            kept += c;
        else if (c == '-' || c == '(')
            return {}; // a negative price or a range: no guess is safe
    const std::size_t comma = kept.find(',');
    if (comma != std::string::npos) {
        const bool oneDecimalComma = kept.find('.') == std::string::npos &&
                                     kept.find(',', comma + 1) == std::string::npos &&
                                     kept.size() - comma - 1 != 3;
        if (oneDecimalComma)
            kept[comma] = '.';
        else
            std::erase(kept, ',');
    }
    return isPlainNumber(kept, 12) ? kept : std::string();
}

} // namespace qs
