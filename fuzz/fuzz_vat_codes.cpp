// Any bytes as the shop's VAT codes (shop.tax) open in the "VAT Details"
// dialog. OK, with nothing changed, writes codes that open again the same,
// and a file that the same steps leave as it is.
#include "FuzzShop.h"

#include "core/app/AppState.h"
#include "core/settings/VatDetails.h"
#include "core/text/AtomicFile.h"
#include "core/text/ReadFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

using qs::fuzz::check;
using qs::fuzz::checkSame;

struct Accepted {
    std::vector<qs::VatCode> codes;
    std::string codesFile;
};

Accepted openAndAccept(const qs::fuzz::FuzzShop& shop)
{
    qs::AppState state(shop.programDir());
    shop.enter(state);
    qs::fuzz::QuietUser user;
    qs::VatDetails vat;
    check(vat.open(state.ShopFields, state.ShopDataDir(), user), "a shop.tax that is there opens");
    Accepted accepted{vat.codes, {}};
    check(vat.accept(state, state.ShopDataDir(), user), "shop.tax can be written");
    accepted.codesFile = qs::readFileBytes(shop.dataFile(qs::vatCodesFileName));
    return accepted;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qs::fuzz::FuzzShop shop;
    qs::writeFileAtomically(shop.dataFile(qs::vatCodesFileName), qs::fuzz::bytesOf(data, size));
    const Accepted first = openAndAccept(shop);
    const Accepted second = openAndAccept(shop);
    check(second.codes == first.codes, "the codes come back");
    checkSame(first.codesFile, second.codesFile, "shop.tax stays the same");
    return 0;
}
