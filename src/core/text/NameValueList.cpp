#include "core/text/NameValueList.h"

#include "core/text/AtomicFile.h"
#include "core/text/CaseFold.h"
#include "core/text/LineSplitter.h"
#include "core/text/ReadFile.h"

namespace qs {

NameValueList NameValueList::fromText(std::string_view text)
{
    NameValueList list;
    forEachLine(text, [&](std::string_view line) { list.lines_.emplace_back(line); });
    return list;
}

NameValueList NameValueList::fromFile(const std::string& path)
{
    return fromText(readFileBytes(path));
}

std::string_view NameValueList::nameOf(std::string_view line)
{
    const auto eq = line.find('=');
    return eq == std::string_view::npos ? std::string_view() : line.substr(0, eq);
}

std::string_view NameValueList::valueOf(std::string_view line)
{
    const auto eq = line.find('=');
    return eq == std::string_view::npos ? std::string_view() : line.substr(eq + 1);
}

bool NameValueList::hasName(std::string_view line, std::string_view name)
{
    // A line of the name has its first "=" just after it: most lines are
    // told apart by that one byte, without a search or a comparison.
    if (line.size() <= name.size() || line[name.size()] != '=')
        return false;
    const auto eq = line.find('=');
    return eq != std::string_view::npos && equalsIgnoreCase(line.substr(0, eq), name);
}

std::ptrdiff_t NameValueList::indexOf(std::string_view name) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (hasName(lines_[i], name))
            return static_cast<std::ptrdiff_t>(i);
    return -1;
}

std::string_view NameValueList::value(std::string_view name) const
{
    const auto i = indexOf(name);
    return i < 0 ? std::string_view() : valueOf(lines_[static_cast<std::size_t>(i)]);
}

bool NameValueList::contains(std::string_view name) const
{
    return indexOf(name) >= 0;
}

void NameValueList::setValue(std::string_view name, std::string_view value)
{
    if (value.empty()) {
        // Every line of the name goes: a later one would answer in its place.
        std::erase_if(lines_, [&](const std::string& line) { return hasName(line, name); });
        return;
    }
    const auto i = indexOf(name);
    std::string line;
    line.reserve(name.size() + 1 + value.size());
    line.append(name).append(1, '=').append(value);
    if (i >= 0)
        lines_[static_cast<std::size_t>(i)] = std::move(line);
    else
        lines_.push_back(std::move(line));
}

std::string NameValueList::toText() const
{
    std::size_t size = 0;
    for (const auto& line : lines_)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : lines_)
        text.append(line).append("\r\n");
    return text;
}

void NameValueList::saveToFile(const std::string& path) const
{
    writeFileAtomically(path, toText());
}

} // namespace qs
