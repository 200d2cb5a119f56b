#include "core/import/RejectLog.h"

#include "core/import/AssignmentFile.h"
#include "core/text/AtomicFile.h"
#include "core/text/Cp1252.h"
#include "core/text/FileError.h"
#include "core/ui/UserInterface.h"

#include <cerrno>

#include <unistd.h>

namespace qs {
namespace {

std::string counted(std::size_t count, std::string_view one, std::string_view many)
{
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

} // namespace

void RejectLog::notAdded(std::size_t row, std::string_view reason)
{
    lines_.push_back("Row " + std::to_string(row + 1) + " was not added: " + std::string(reason));
    ++notAdded_;
}

void RejectLog::questionablePrice(const CellPosition& cell, std::string_view price)
{
    lines_.push_back("Row " + std::to_string(cell.row + 1) + ", column " + std::to_string(cell.column + 1) +
                     ": the price \"" + std::string(price) +
                     "\" is not one plain number and was kept as it stands.");
}

std::string RejectLog::text() const
{
    std::string text;
    for (const std::string& line : lines_)
        text.append(line).append("\r\n");
    return text;
}

std::string RejectLog::fileName(std::string_view tablePath)
{
    const std::string sff = assignmentFileName(tablePath);
    return sff.substr(0, sff.size() - 4) + ".import.log";
}

std::string RejectLog::summary() const
{
    std::string text;
    if (notAdded_ > 0)
        text = counted(notAdded_, "row was", "rows were") + " not added";
    if (questionableCount() > 0) {
        if (!text.empty())
            text += " and ";
        text += counted(questionableCount(), "price was", "prices were") + " kept unchanged";
    }
    return text;
}

std::string RejectLog::firstLines() const
{
    std::string text;
    for (std::size_t i = 0; i < lines_.size() && i < listed; ++i)
        text.append("\r\n").append(lines_[i]);
    if (lines_.size() > listed)
        text.append("\r\n... and ").append(std::to_string(lines_.size() - listed)).append(" more.");
    return text;
}

void RejectLog::tell(UserInterface& ui, const std::string& tablePath) const
{
    const std::string path = fileName(tablePath);
    if (empty()) {
        // The list of an earlier import would read as this one's.
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            ui.message(FileError::failed("Cannot delete the list of an earlier import " + path, errno).what(),
                       MessageKind::Warning);
        return;
    }
    try {
        // In UTF-8, as the editors of the merchant's desktop read a text file.
        writeFileAtomically(path, cp1252ToUtf8(text()));
        ui.message(summary() + ". The list is in " + path + ":" + firstLines(), MessageKind::Warning);
    } catch (const FileError& error) {
        ui.message(summary() + ". " + error.what() + firstLines(), MessageKind::Warning);
    }
}

} // namespace qs
