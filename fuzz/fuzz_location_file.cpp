// Any bytes as the program's location file (location.cfg) start the program
// with the folders, addresses and Perl paths they name. What shutting down
// writes starts the program again with the same values, and is what the
// next shut-down writes.
#include "FuzzShop.h"

#include "core/app/AppState.h"
#include "core/app/Location.h"
#include "core/app/Startup.h"
#include "core/text/AtomicFile.h"
#include "core/text/ReadFile.h"

#include <cstdint>
#include <string>

namespace {

using qs::fuzz::check;
using qs::fuzz::checkSame;

struct Started {
    qs::NameValueList values;
    std::string locationFile;
};

// Starts the program and shuts it down again.
Started startAndShutDown(const qs::fuzz::FuzzShop& shop)
{
    qs::AppState state(shop.programDir());
    qs::fuzz::QuietUser user;
    check(qs::StartUp(state, user), "the program starts");
    Started started{qs::locationValues(state), {}};
    qs::ShutDown(state);
    started.locationFile = qs::readFileBytes(shop.programFile(qs::locationFileName));
    return started;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qs::fuzz::FuzzShop shop;
    qs::writeFileAtomically(shop.programFile(qs::locationFileName), qs::fuzz::bytesOf(data, size));
    const Started first = startAndShutDown(shop);
    const Started second = startAndShutDown(shop);
    check(second.values == first.values, "the location values come back");
    checkSame(first.locationFile, second.locationFile, "location.cfg stays the same");
    return 0;
}
