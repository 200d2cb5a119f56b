// Any bytes as the field definitions file (fieldinfo.data), read as start-up
// reads it, give one entry per line whose name, position and attributes
// answer every query.
#include "FuzzShop.h"

#include "fields/CommaList.h"
#include "fields/FieldDefinitions.h"
#include "text/LineSplitter.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using qs::fuzz::check;
    const std::string_view text = qs::fuzz::bytesOf(data, size);
    qs::FieldDefinitions definitions;
    definitions.setBytes(text);
    std::size_t lines = 0;
    qs::forEachLine(text, [&](std::string_view) { ++lines; });
    check(definitions.count() == lines, "one entry per line");
    for (std::size_t i = 0; i <= definitions.count(); ++i) {
        const std::string name(definitions.FieldNameAt(static_cast<std::ptrdiff_t>(i)));
        const auto index = definitions.FieldIndex(name);
        check(name.empty() || (index >= 0 && static_cast<std::size_t>(index) <= i),
              "a name finds its first entry");
        for (std::size_t position = 0; position < 7; ++position)
            (void)definitions.FieldAttribute(name, position);
    }
    (void)qs::parseCommaList(text);
    return 0;
}
