// Any bytes as the shop's product options (flavours.txt) open in the
// "Product Options" dialog. OK, with nothing changed, writes options that
// open again the same, and a file that the same steps leave as it is.
#include "FuzzShop.h"

#include "core/app/AppState.h"
#include "core/settings/FlavoursFile.h"
#include "core/settings/ProductOptions.h"
#include "core/text/AtomicFile.h"
#include "core/text/ReadFile.h"

#include <cstdint>
#include <string>

namespace {

using qs::fuzz::check;
using qs::fuzz::checkSame;

struct Confirmed {
    qs::OptionTable options;
    std::string optionsFile;
};

Confirmed openAndConfirm(const qs::fuzz::FuzzShop& shop)
{
    qs::AppState state(shop.programDir());
    shop.enter(state);
    qs::fuzz::QuietUser user;
    qs::ProductOptions dialog(state, user);
    check(dialog.open(""), "a flavours.txt that is there opens");
    Confirmed confirmed{dialog.options(), {}};
    check(dialog.confirm().has_value(), "flavours.txt can be written");
    confirmed.optionsFile = qs::readFileBytes(shop.dataFile(qs::flavoursFileName));
    return confirmed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qs::fuzz::FuzzShop shop;
    qs::writeFileAtomically(shop.dataFile(qs::flavoursFileName), qs::fuzz::bytesOf(data, size));
    const Confirmed first = openAndConfirm(shop);
    const Confirmed second = openAndConfirm(shop);
    check(second.options == first.options, "the options come back");
    checkSame(first.optionsFile, second.optionsFile, "flavours.txt stays the same");
    return 0;
}
