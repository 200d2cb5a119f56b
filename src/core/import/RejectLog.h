#pragma once

#include "core/import/TableSplitter.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

class UserInterface;

// What a merge could not take as it stood: rows it did not add, with why,
// and prices it kept as they stood because they were not one plain number.
// The merchant gets a short message, and the whole list in a file beside the
// table, so that nothing is lost in a message box.
class RejectLog {
public:
    void notAdded(std::size_t row, std::string_view reason);
    void questionablePrice(const CellPosition& cell, std::string_view price);

    bool empty() const { return lines_.empty(); }
    std::size_t notAddedCount() const { return notAdded_; }
    std::size_t questionableCount() const { return lines_.size() - notAdded_; }
    // Every line, each ended by CR LF; in Windows-1252, as the table's cells.
    std::string text() const;
    // The first few lines, each after a CR LF.
    std::string firstLines() const;

    // The table's path up to the last "." of its name, then ".import.log".
    static std::string fileName(std::string_view tablePath);
    // Writes the log beside the table, in UTF-8, and tells the merchant where
    // it is; a log that cannot be written is told with its first lines
    // instead. An empty log removes the one an earlier import left there.
    void tell(UserInterface& ui, const std::string& tablePath) const;

    static constexpr std::size_t listed = 20;

private:
    std::string summary() const;

    std::vector<std::string> lines_;
    std::size_t notAdded_ = 0;
};

} // namespace qs
