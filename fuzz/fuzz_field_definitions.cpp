// Any bytes read as field definitions give entries whose queries answer.
#include "fields/CommaList.h"
#include "fields/FieldDefinitions.h"
#include "text/LineSplitter.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    qs::forEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });

    qs::FieldDefinitions definitions;
    definitions.setLines(lines);
    if (definitions.count() != lines.size())
        std::abort();
    for (std::size_t i = 0; i <= definitions.count(); ++i) {
        const std::string name(definitions.FieldNameAt(static_cast<std::ptrdiff_t>(i)));
        const auto index = definitions.FieldIndex(name);
        if (!name.empty() && (index < 0 || static_cast<std::size_t>(index) > i))
            std::abort();
        for (std::size_t position = 0; position < 7; ++position)
            (void)definitions.FieldAttribute(name, position);
    }
    (void)qs::parseCommaList(text);
    return 0;
}
