// Any bytes as the shop's weight bands and charges (zones_data.log), read and written in memory
// (see PostageRoundTrip.h).
#include "FuzzShop.h"
#include "PostageRoundTrip.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes = qs::fuzz::bytesOf(data, size);
    qs::fuzz::checkPostageBytesRoundTrip("", bytes, "");
    return 0;
}
