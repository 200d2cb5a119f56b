// Any bytes as the preview's settings file (settings.cfg) give a browser
// path and a preview address, which the preview either takes as a web
// server's address or refuses. Saved, they read back the same, the lines
// the program does not know included, and the file then stays the same.
#include "FuzzShop.h"

#include "core/app/AppState.h"
#include "core/publish/PreviewAddress.h"
#include "core/publish/PreviewSettings.h"
#include "core/text/AtomicFile.h"
#include "core/text/CaseFold.h"
#include "core/text/NameValueList.h"
#include "core/text/ReadFile.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

using qs::fuzz::check;
using qs::fuzz::checkSame;

struct Loaded {
    std::string browser;
    std::string address;
    std::string settingsFile;
};

// Reads the settings as start-up does and writes them as the program ends.
Loaded loadAndSave(const qs::fuzz::FuzzShop& shop)
{
    qs::AppState state(shop.programDir());
    qs::PreviewSettings settings;
    settings.load(state);
    Loaded loaded{state.BrowserPath, settings.previewAddress, {}};
    check(!loaded.address.empty(), "there is always a preview address");
    if (const auto address = qs::PreviewAddress::parse(loaded.address)) {
        check(address->port >= 1 && address->port <= 65535, "the port is a port");
        (void)address->servedHere();
    }
    (void)qs::previewURL(loaded.address, "Fuzz");
    settings.save(state);
    loaded.settingsFile = qs::readFileBytes(shop.programFile(qs::PreviewSettings::fileName));
    return loaded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qs::fuzz::FuzzShop shop;
    const std::string_view bytes = qs::fuzz::bytesOf(data, size);
    qs::writeFileAtomically(shop.programFile(qs::PreviewSettings::fileName), bytes);
    const Loaded first = loadAndSave(shop);
    const Loaded second = loadAndSave(shop);
    check(second.browser == first.browser && second.address == first.address,
          "the browser and the address come back");
    checkSame(first.settingsFile, second.settingsFile, "settings.cfg stays the same");

    const qs::NameValueList read = qs::NameValueList::fromText(bytes);
    const qs::NameValueList saved = qs::NameValueList::fromText(first.settingsFile);
    const auto& kept = saved.lines();
    for (const std::string& line : read.lines()) {
        const std::string_view name = qs::NameValueList::nameOf(line);
        if (!qs::equalsIgnoreCase(name, qs::PreviewSettings::browserKey) &&
            !qs::equalsIgnoreCase(name, qs::PreviewSettings::addressKey))
            check(std::find(kept.begin(), kept.end(), line) != kept.end(),
                  "a line the program does not know stays");
    }
    return 0;
}
