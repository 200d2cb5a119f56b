#include "core/text/AtomicFileSet.h"

#include "core/text/FileError.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace qs {
namespace {

// 0, or the error number of the failed call.
int syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

} // namespace

AtomicFileSet::AtomicFileSet(AtomicFileWriter::Leftovers leftovers) : leftovers_(leftovers) {}

AtomicFileSet::AtomicFileSet(AtomicFileWriter& only)
    : leftovers_(AtomicFileWriter::Leftovers::AlreadyRemoved), writers_{&only}
{
}

AtomicFileWriter& AtomicFileSet::add(std::string path, FileAccess access)
{
    owned_.push_back(std::make_unique<AtomicFileWriter>(std::move(path), leftovers_, access));
    writers_.push_back(owned_.back().get());
    return *owned_.back();
}

void AtomicFileSet::add(std::string path, std::string_view bytes, FileAccess access)
{
    add(std::move(path), access).write(bytes);
}

void AtomicFileSet::commit()
{
    try {
        for (AtomicFileWriter* writer : writers_)
            writer->finish();
    } catch (const FileError&) {
        undo(0);
        throw;
    }
    for (std::size_t replaced = 0; replaced < writers_.size(); ++replaced)
        if (const int error = writers_[replaced]->replaceOldFile(); error != 0) {
            undo(replaced);
            throw FileError::cannotCreate(writers_[replaced]->path(), error);
        }
    std::vector<std::string> flushed;
    for (const AtomicFileWriter* writer : writers_) {
        std::string folder = writer->folder();
        if (std::find(flushed.begin(), flushed.end(), folder) != flushed.end())
            continue;
        if (const int error = syncFolder(folder); error != 0) {
            undo(writers_.size());
            throw FileError::cannotCreate(writer->path(), error);
        }
        flushed.push_back(std::move(folder));
    }
    for (AtomicFileWriter* writer : writers_)
        writer->forgetOldFile();
}

void AtomicFileSet::undo(std::size_t replaced)
{
    while (replaced > 0)
        writers_[--replaced]->restoreOldFile();
    for (AtomicFileWriter* writer : writers_)
        writer->discard();
}

} // namespace qs
