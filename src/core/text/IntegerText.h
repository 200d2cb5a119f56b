#pragma once

#include <cstdint>
#include <string_view>

namespace qs {

// A signed 32-bit decimal integer with an optional sign and nothing else.
// Throws ConversionError("'<text>' is not a valid integer value") otherwise.
std::int32_t toInt32(std::string_view text);
// The same for a signed 64-bit integer.
std::int64_t toInt64(std::string_view text);

} // namespace qs
