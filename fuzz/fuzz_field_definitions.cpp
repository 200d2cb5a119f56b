// Any bytes as the field definitions file (fieldinfo.data), read as start-up
// reads it, give one entry per line whose name, position and attributes
// answer every query.
#include "FuzzShop.h"

#include "core/fields/CommaList.h"
#include "core/fields/FieldDefinitions.h"
#include "core/text/LineSplitter.h"

#include <algorithm>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using qs::fuzz::check;
    const std::string_view text = qs::fuzz::bytesOf(data, size);
    static qs::FieldDefinitions definitions;
    definitions.setBytes(text);
    std::size_t lines = 0;
    qs::forEachLine(text, [&](std::string_view) { ++lines; });
    check(definitions.count() == lines, "one entry per line");
    const auto ask = [&](std::size_t position) {
        const std::string name(definitions.FieldNameAt(static_cast<std::ptrdiff_t>(position)));
        const auto index = definitions.FieldIndex(name);
        check(name.empty() || (index >= 0 && static_cast<std::size_t>(index) <= position),
              "a name finds its first entry");
        for (std::size_t attribute = 0; attribute < 7; ++attribute)
            (void)definitions.FieldAttribute(name, attribute);
    };
    // Each lookup reads the entries before it; a file of thousands of lines
    // would spend the run on lookups, so the first hundred entries are asked,
    // and the position past the end.
    constexpr std::size_t asked = 100;
    for (std::size_t position = 0; position < std::min(definitions.count(), asked); ++position)
        ask(position);
    ask(definitions.count());
    (void)qs::parseCommaList(text);
    return 0;
}
