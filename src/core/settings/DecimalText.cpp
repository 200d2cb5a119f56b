#include "core/settings/DecimalText.h"

#include "core/settings/StoredText.h"

#include <algorithm>
#include <charconv>

namespace qs {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The digits that count of a decimal: its whole part without leading noughts
// and its fraction without trailing ones.
struct Significant {
    std::string_view whole;
    std::string_view fraction;
};

Significant significant(std::string_view decimal)
{
    const std::size_t point = decimal.find('.');
    std::string_view whole = decimal.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : decimal.substr(point + 1);
    while (!whole.empty() && whole.front() == '0')
        whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.remove_suffix(1);
    return {whole, fraction};
}

constexpr std::size_t rateDigits = 15;
constexpr std::size_t weightWholeDigits = 7;
constexpr std::size_t weightDecimals = 6;

} // namespace

bool isExactRate(std::string_view text)
{
    text = strippedText(text);
    if (!isDecimal(text))
        return false;
    const auto [whole, fraction] = significant(text);
    std::size_t digits = whole.size() + fraction.size();
    if (whole.empty())
        for (std::size_t i = 0; i < fraction.size() && fraction[i] == '0'; ++i)
            --digits;
    return digits <= rateDigits;
}

bool isExactWeight(std::string_view text)
{
    text = strippedText(text);
    if (!isDecimal(text))
        return false;
    const auto [whole, fraction] = significant(text);
    return whole.size() <= weightWholeDigits && fraction.size() <= weightDecimals;
}

bool isDecimal(std::string_view text)
{
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto allDigits = [](std::string_view part) {
        for (const char c : part)
            if (!isDigit(c))
                return false;
        return true;
    };
    return !(whole.empty() && fraction.empty()) && allDigits(whole) && allDigits(fraction);
}

std::string withTwoDecimals(std::string_view text)
{
    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    while (whole.size() > 1 && whole.front() == '0')
        whole.remove_prefix(1);
    // All digits of the result without its point, the last two being the decimals.
    std::string digits = whole.empty() ? std::string("0") : std::string(whole);
    digits.append(fraction.substr(0, 2));
    digits.append(2 - std::min<std::size_t>(fraction.size(), 2), '0');
    if (fraction.size() > 2 && fraction[2] >= '5') {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    digits.insert(digits.size() - 2, 1, '.');
    return digits;
}

double decimalValue(std::string_view text)
{
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace qs
