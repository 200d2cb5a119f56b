#include "core/settings/VatCodes.h"

#include "core/text/LineSplitter.h"
#include "core/text/ReadFile.h"
#include "core/text/SplitText.h"

#include <filesystem>

namespace qs {

std::vector<VatCode> parseVatCodes(std::string_view bytes)
{
    std::vector<VatCode> codes;
    forEachLine(bytes, [&](std::string_view line) {
        if (line.empty())
            return;
        const std::size_t eq = line.find('=');
        VatCode& code = codes.emplace_back();
        code.code = line.substr(0, eq);
        if (eq == std::string_view::npos)
            return;
        const auto pieces = SplitText(line.substr(eq + 1), '\t');
        code.rate = pieces[0];
        if (pieces.size() > 1)
            code.description = pieces[1];
    });
    return codes;
}

std::string vatCodesBytes(const std::vector<VatCode>& codes)
{
    std::string text;
    for (const VatCode& code : codes)
        text.append(code.code)
            .append("=")
            .append(code.rate)
            .append("\t")
            .append(code.description)
            .append("\r\n");
    return text;
}

std::vector<VatCode> readVatCodes(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
        return {};
    return parseVatCodes(readFileBytes(path));
}

} // namespace qs
