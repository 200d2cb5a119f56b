// Any bytes as the shop's administrator password file (admin.pass), read
// and, unless the dialog would refuse the ID or password, written in memory.
#include "RoundTrip.h"

#include "core/settings/AdminPassword.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes = qs::fuzz::bytesOf(data, size);
    if (!qs::AdminPassword::parse(bytes).refusal().empty())
        return 0;
    qs::fuzz::checkRoundTrip(bytes, qs::AdminPassword::parse,
                             [](const qs::AdminPassword& read) { return read.bytes(); });
    return 0;
}
