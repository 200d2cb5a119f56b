// Any bytes as a shop's catalogue file (shop.data), read and written in
// memory (see CatalogueRoundTrip.h).
#include "CatalogueRoundTrip.h"
#include "FuzzShop.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qs::fuzz::checkCatalogueBytesRoundTrip(qs::fuzz::bytesOf(data, size), "");
    return 0;
}
