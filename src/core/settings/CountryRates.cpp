#include "settings/CountryRates.h"

#include "text/AtomicFileSet.h"
#include "text/NameValueList.h"
#include "text/ReadFile.h"
#include "text/SplitText.h"

#include <filesystem>
#include <utility>

namespace qs {

namespace {

constexpr std::string_view headingsName = "Headings";

std::vector<std::string> splitAtTabs(std::string_view text)
{
    std::vector<std::string> pieces;
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

} // namespace

CountryRates CountryRates::parse(std::string_view bytes)
{
    NameValueList list = NameValueList::fromText(bytes);
    CountryRates rates;
    rates.headings = splitAtTabs(list.value(headingsName));
    bool first = true;
    for (const std::string& line : list.lines()) {
        // The first line is taken to hold the headings.
        if (std::exchange(first, false) || line.empty())
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
    NameValueList list;
    list.appendLine(std::string(headingsName) + "=" + joinedByTabs(headings));
    for (const Country& country : countries) {
        const std::string value = joinedByTabs(country.rates);
        // An empty value would remove the line instead of writing it.
        if (list.contains(country.name) || !value.empty())
            list.setValue(country.name, value);
        else
            list.appendLine(country.name + "=");
    }
    return list.toText();
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
    NameValueList list = NameValueList::fromFile(path);
    std::vector<std::string> headings = splitAtTabs(list.value(headingsName));
    for (const auto& [from, to] : renames)
        for (std::string& heading : headings)
            if (heading == from)
                heading = to;
    list.setValue(headingsName, joinedByTabs(headings));
    files.add(path, list.toText());
}

} // namespace qs
