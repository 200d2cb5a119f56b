#include "core/import/TableSplitter.h"

#include "core/catalogue/ValueRules.h"
#include "core/text/LineBreaks.h"

#include <array>
#include <cstring>

namespace qs {
namespace {

// The characters that end an unquoted field.
class FieldEnds {
public:
    explicit FieldEnds(char delimiter)
    {
        ends_[static_cast<unsigned char>(delimiter)] = true;
        ends_['\r'] = ends_['\n'] = true;
    }
    const char* skip(const char* p, const char* end) const
    {
        while (p < end && !ends_[static_cast<unsigned char>(*p)])
            ++p;
        return p;
    }

private:
    std::array<bool, 256> ends_{};
};

// Reads one field from p: a quoted part when it begins with a quote, then an
// unquoted part up to the delimiter or line break. Tells whether its value
// is empty and whether its quote was never closed.
const char* readField(const char* p, const char* end, const FieldEnds& ends, bool& empty, bool& unclosed)
{
    empty = true;
    unclosed = false;
    if (p < end && *p == '"') {
        ++p;
        for (;;) {
            const auto* quote =
                static_cast<const char*>(std::memchr(p, '"', static_cast<std::size_t>(end - p)));
            if (!quote) {
                empty = empty && p == end;
                unclosed = true;
                return end;
            }
            empty = empty && quote == p;
            if (quote + 1 < end && quote[1] == '"') {
                empty = false;
                p = quote + 2;
                continue;
            }
            p = quote + 1;
            break;
        }
    }
    const char* valueEnd = ends.skip(p, end);
    empty = empty && valueEnd == p;
    return valueEnd;
}

// Past the line break at p (CR LF is one).
const char* skipLineBreak(const char* p, const char* end)
{
    return *p == '\r' && p + 1 < end && p[1] == '\n' ? p + 2 : p + 1;
}

} // namespace

TableLayout scanTable(std::string_view bytes, char delimiter)
{
    TableLayout layout;
    const FieldEnds ends(delimiter);
    const char* begin = bytes.data();
    const char* end = begin + bytes.size();
    const char* p = begin;
    std::size_t usedRows = 0;
    while (p < end) {
        const std::size_t row = layout.rowStarts.size();
        layout.rowStarts.push_back(static_cast<std::uint64_t>(p - begin));
        std::size_t fields = 0; // up to the last non-empty one
        for (std::size_t field = 0;; ++field) {
            bool empty, unclosed;
            p = readField(p, end, ends, empty, unclosed);
            if (unclosed)
                layout.unclosedQuote = CellPosition{row, field};
            if (!empty)
                fields = field + 1;
            if (p == end || *p != delimiter)
                break;
            ++p;
        }
        if (fields > 0) {
            usedRows = row + 1;
            layout.columnCount = std::max(layout.columnCount, fields);
        }
        if (p < end)
            p = skipLineBreak(p, end);
    }
    layout.rowStarts.resize(usedRows);
    if (layout.unclosedQuote && layout.unclosedQuote->row >= usedRows)
        layout.unclosedQuote.reset();
    return layout;
}

void splitRow(std::string_view text, char delimiter, std::vector<std::string_view>& fields)
{
    fields.clear();
    const FieldEnds ends(delimiter);
    const char* p = text.data();
    const char* end = p + text.size();
    for (;;) {
        const char* start = p;
        bool empty, unclosed;
        p = readField(p, end, ends, empty, unclosed);
        fields.emplace_back(start, static_cast<std::size_t>(p - start));
        if (p == end || *p != delimiter)
            return;
        ++p;
    }
}

std::string_view fieldValue(std::string_view raw, std::string& scratch)
{
    if (raw.empty() || raw.front() != '"')
        return raw;
    scratch.clear();
    std::size_t at = 1;
    for (;;) {
        const std::size_t quote = raw.find('"', at);
        if (quote == std::string_view::npos) {
            scratch.append(raw.substr(at));
            break;
        }
        scratch.append(raw.substr(at, quote - at));
        if (quote + 1 < raw.size() && raw[quote + 1] == '"') {
            scratch.push_back('"');
            at = quote + 2;
            continue;
        }
        scratch.append(raw.substr(quote + 1));
        break;
    }
    if (hasLineBreak(scratch))
        scratch = oneLineValue(scratch);
    return scratch;
}

} // namespace qs
