#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qs {

// An ordered list of "name=value" lines. Names match without regard to case
// and the first matching line answers; the value is everything after the
// first "=". Setting an empty value removes every line of the name, so an
// empty value and an absent one are the same. Lines read from a file are
// kept as they are, even those with an empty value or without any "=".
class NameValueList {
public:
    NameValueList() = default;
    explicit NameValueList(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    // Parses text with CR LF, LF or CR line ends.
    static NameValueList fromText(std::string_view text);
    // Reads a file; throws FileError("Cannot open file ...") when it cannot.
    static NameValueList fromFile(const std::string& path);

    std::string_view value(std::string_view name) const;
    bool contains(std::string_view name) const;
    void setValue(std::string_view name, std::string_view value);

    // Each line ended by CR LF, in list order.
    std::string toText() const;
    // Replaces the file atomically; throws FileError("Cannot create file ...").
    void saveToFile(const std::string& path) const;

    const std::vector<std::string>& lines() const { return lines_; }
    void appendLine(std::string line) { lines_.push_back(std::move(line)); }
    std::size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }
    void clear() { lines_.clear(); }
    // Room for count lines, so that adding them one by one takes no more memory.
    void reserve(std::size_t count) { lines_.reserve(count); }

    // The name of a line: the text before its first "=", empty when it has none.
    static std::string_view nameOf(std::string_view line);
    static std::string_view valueOf(std::string_view line);

    bool operator==(const NameValueList&) const = default;

private:
    static bool hasName(std::string_view line, std::string_view name);
    std::ptrdiff_t indexOf(std::string_view name) const;

    std::vector<std::string> lines_;
};

} // namespace qs
