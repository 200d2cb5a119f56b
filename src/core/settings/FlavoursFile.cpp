#include "core/settings/FlavoursFile.h"

#include "core/text/AtomicFile.h"
#include "core/text/LineSplitter.h"
#include "core/text/ReadFile.h"
#include "core/text/SplitText.h"

namespace qs {

OptionTable parseFlavours(std::string_view bytes)
{
    OptionTable options;
    forEachLine(bytes, [&](std::string_view line) {
        if (line.empty())
            return;
        const auto entries = SplitText(line, '\t');
        ProductOption& option = options.emplace_back();
        option.name = entries.front();
        option.variations.assign(entries.begin() + 1, entries.end());
    });
    return options;
}

std::string flavoursBytes(const OptionTable& options)
{
    std::string bytes;
    for (const ProductOption& option : options) {
        bytes.append(option.name);
        for (const std::string& variation : option.variations)
            bytes.append("\t").append(variation);
        bytes.append("\r\n");
    }
    return bytes;
}

OptionTable readFlavoursFile(const std::string& path)
{
    return parseFlavours(readFileBytes(path));
}

void writeFlavoursFile(const std::string& path, const OptionTable& options)
{
    writeFileAtomically(path, flavoursBytes(options));
}

} // namespace qs
