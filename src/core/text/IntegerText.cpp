#include "core/text/IntegerText.h"

#include "core/text/ConversionError.h"

#include <charconv>

namespace qs {

namespace {

template <typename Integer> Integer toInteger(std::string_view text)
{
    std::string_view digits = text;
    // from_chars takes a minus sign but no plus sign.
    if (!digits.empty() && digits.front() == '+' && digits.size() > 1 && digits[1] != '-')
        digits.remove_prefix(1);
    Integer value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        throw ConversionError::notAnInteger(text);
    return value;
}

} // namespace

std::int32_t toInt32(std::string_view text)
{
    return toInteger<std::int32_t>(text);
}

std::int64_t toInt64(std::string_view text)
{
    return toInteger<std::int64_t>(text);
}

} // namespace qs
