#include "core/settings/ChargeTables.h"

#include "core/app/AppState.h"
#include "core/text/AtomicFileSet.h"
#include "core/text/LineSplitter.h"
#include "core/text/ReadFile.h"
#include "core/text/SplitText.h"

namespace qs {

namespace {

constexpr std::string_view separator = "::";

// The pieces from first on, one per zone.
ZoneCharges chargesFrom(const std::vector<std::string_view>& pieces, std::size_t first)
{
    ZoneCharges charges;
    for (std::size_t zone = 0; zone < charges.size() && first + zone < pieces.size(); ++zone)
        charges[zone] = pieces[first + zone];
    return charges;
}

void appendCharges(std::string& line, const ZoneCharges& charges)
{
    for (const std::string& charge : charges)
        line.append(separator).append(charge);
    line.append("\r\n");
}

std::string readIfPossible(const std::string& path)
{
    try {
        return readFileBytes(path);
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace

ChargeTables ChargeTables::parse(std::string_view weightBytes, std::string_view fixedBytes)
{
    ChargeTables tables;
    forEachLine(weightBytes, [&](std::string_view line) {
        // A line without a separator holds no band: a damaged line, which
        // would otherwise come back from OK as an empty band.
        if (line.find(separator) == std::string_view::npos)
            return;
        const auto pieces = SplitText(line, separator);
        tables.bands.emplace_back(pieces.size() > 1 ? pieces[1] : std::string_view());
        tables.weightCharges.push_back(chargesFrom(pieces, 2));
    });
    bool first = true;
    forEachLine(fixedBytes, [&](std::string_view line) {
        if (line.empty() || !first)
            return;
        first = false;
        tables.fixedCosts = chargesFrom(SplitText(line, separator), 2);
    });
    return tables;
}

std::string ChargeTables::weightBytes() const
{
    std::string text;
    for (std::size_t i = 0; i < bands.size(); ++i) {
        text.append(std::to_string(i + 1)).append(separator).append(bands[i]);
        appendCharges(text, i < weightCharges.size() ? weightCharges[i] : ZoneCharges());
    }
    return text;
}

std::string ChargeTables::fixedBytes() const
{
    std::string text = "1";
    text.append(separator).append(bands.empty() ? std::string() : bands.front());
    appendCharges(text, fixedCosts);
    return text;
}

ChargeTables ChargeTables::load(const std::string& dataDir)
{
    return parse(readIfPossible(joinPath(dataDir, weightChargesFileName)),
                 readIfPossible(joinPath(dataDir, fixedChargesFileName)));
}

void ChargeTables::save(const std::string& dataDir, AtomicFileSet& files) const
{
    files.add(joinPath(dataDir, weightChargesFileName), weightBytes());
    files.add(joinPath(dataDir, fixedChargesFileName), fixedBytes());
}

} // namespace qs
