#include "core/settings/CountryRates.h"

#include "core/text/AtomicFileSet.h"
#include "core/text/CaseFold.h"
#include "core/text/NameValueList.h"
#include "core/text/ReadFile.h"
#include "core/text/SplitText.h"

#include <filesystem>
#include <utility>

namespace qs {

namespace {

constexpr std::string_view headingsName = "Headings";

// An empty text has no pieces, so that what is read is what was written.
std::vector<std::string> splitAtTabs(std::string_view text)
{
    std::vector<std::string> pieces;
    if (text.empty())
        return pieces;
    for (const std::string_view piece : SplitText(text, '\t'))
        pieces.emplace_back(piece);
    return pieces;
}

std::string joinedByTabs(const std::vector<std::string>& pieces)
{
    std::string text;
    for (std::size_t i = 0; i < pieces.size(); ++i)
        text.append(i ? "\t" : "").append(pieces[i]);
    return text;
}

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

bool isHeadingsLine(std::string_view line)
{
    return equalsIgnoreCase(NameValueList::nameOf(line), headingsName);
}

} // namespace

CountryRates CountryRates::parse(std::string_view bytes)
{
    const NameValueList list = NameValueList::fromText(bytes);
    CountryRates rates;
    bool first = true;
    for (const std::string& line : list.lines()) {
        // Only the first line holds the headings; any later line is a country,
        // whatever its name.
        if (std::exchange(first, false) && isHeadingsLine(line)) {
            rates.headings = splitAtTabs(NameValueList::valueOf(line));
            continue;
        }
        if (line.empty())
            continue;
        const std::size_t eq = line.find('=');
        Country& country = rates.countries.emplace_back();
        country.name = line.substr(0, eq);
        if (eq != std::string::npos)
            country.rates = splitAtTabs(std::string_view(line).substr(eq + 1));
    }
    return rates;
}

std::string CountryRates::bytes() const
{
    // The countries apart from the headings, so that a country of that name
    // does not take the headings' line.
    NameValueList list;
    for (const Country& country : countries) {
        const std::string value = joinedByTabs(country.rates);
        // An empty value would remove the line instead of writing it.
        if (list.contains(country.name) || !value.empty())
            list.setValue(country.name, value);
        else
            list.appendLine(country.name + "=");
    }
    return std::string(headingsName) + "=" + joinedByTabs(headings) + "\r\n" + list.toText();
}

CountryRates CountryRates::read(const std::string& path)
{
    return fileExists(path) ? parse(readFileBytes(path)) : CountryRates();
}

void renameCountryHeadings(const std::string& path,
                           const std::vector<std::pair<std::string, std::string>>& renames,
                           AtomicFileSet& files)
{
    if (renames.empty() || !fileExists(path))
        return;
    std::vector<std::string> lines = NameValueList::fromFile(path).lines();
    if (lines.empty() || !isHeadingsLine(lines.front()))
        return;
    std::vector<std::string> headings = splitAtTabs(NameValueList::valueOf(lines.front()));
    for (const auto& [from, to] : renames)
        for (std::string& heading : headings)
            if (heading == from)
                heading = to;
    lines.front() = std::string(headingsName) + "=" + joinedByTabs(headings);
    files.add(path, NameValueList(std::move(lines)).toText());
}

} // namespace qs
