#include "core/settings/TermsAndConditions.h"

#include "core/text/AtomicFile.h"
#include "core/text/LineBreaks.h"
#include "core/text/LineSplitter.h"
#include "core/text/ReadFile.h"

#include <filesystem>
#include <utility>

namespace qs {

std::string readTerms(const std::string& path, std::string_view lineBreak)
{
    std::string bytes;
    try {
        bytes = readFileBytes(path);
    } catch (const std::exception&) {
        return {};
    }
    std::string text;
    bool first = true;
    forEachLine(bytes, [&](std::string_view line) {
        if (!std::exchange(first, false))
            text.append(lineBreak);
        text.append(line);
    });
    return text;
}

void writeTerms(const std::string& path, std::string_view text)
{
    // Every line of the text, the last included, ends with CR LF; no text, no line.
    writeFileAtomically(path, text.empty() ? std::string() : withLineBreaks(text, "\r\n") + "\r\n");
}

std::string termsFile(const std::string& shopDataDir)
{
    return (std::filesystem::path(shopDataDir) / termsFileName).string();
}

} // namespace qs
