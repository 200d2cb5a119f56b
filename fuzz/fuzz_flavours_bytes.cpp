// Any bytes as the shop's product options (flavours.txt), read and written in memory.
#include "RoundTrip.h"

#include "core/settings/FlavoursFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qs::fuzz::checkRoundTrip(qs::fuzz::bytesOf(data, size), qs::parseFlavours, qs::flavoursBytes);
    return 0;
}
