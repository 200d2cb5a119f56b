// Any bytes as the category file beside a shop's catalogue (header_data.log),
// read and written in memory (see CatalogueRoundTrip.h).
#include "CatalogueRoundTrip.h"
#include "FuzzShop.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qs::fuzz::checkCatalogueBytesRoundTrip(qs::fuzz::nestedCatalogue, qs::fuzz::bytesOf(data, size));
    return 0;
}
