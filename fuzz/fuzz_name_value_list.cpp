// Any bytes read as a name=value list give lines that look up, change and
// write back without surprises.
#include "core/text/NameValueList.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    qs::NameValueList list = qs::NameValueList::fromText(text);

    // Written and read again, the list is the same.
    if (qs::NameValueList::fromText(list.toText()) != list)
        std::abort();

    for (const std::string& line : list.lines()) {
        const std::string_view name = qs::NameValueList::nameOf(line);
        if (!name.empty() && !list.contains(name))
            std::abort();
    }
    if (!list.empty()) {
        const std::string name(qs::NameValueList::nameOf(list.lines().front()));
        if (!name.empty()) {
            list.setValue(name, "changed");
            if (list.value(name) != "changed")
                std::abort();
            // Emptied, the name has no value left, whatever lines shared it.
            list.setValue(name, "");
            if (list.contains(name))
                std::abort();
        }
    }
    return 0;
}
