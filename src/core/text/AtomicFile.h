#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace qs {

// Who may read a file written anew: everyone the umask allows (or, when it
// replaces a file, whoever could read that one), or its owner only, for
// files that hold a password.
enum class FileAccess { Shared, OwnerOnly };

// Writes a file so that a save never destroys what was there: the bytes go to
// a new temporary file in the same folder, which is flushed to disk and then
// renamed over the old file; the folder is flushed last. Until then the old
// file keeps a second name, one of a temporary file, so that it is put back
// when the folder cannot be flushed (and a new file that replaced none is
// removed). A failed commit() thus leaves the old file, unless it could not
// be kept: on a file system without hard links, a folder that cannot be
// flushed leaves the new one. A writer destroyed without commit() removes its
// temporary file. Every failure throws FileError
// "Cannot create file <path>: <the system's reason>".
class AtomicFileWriter {
public:
    // Whether temporary files left by interrupted saves of this file are
    // removed first. That means reading the whole folder, so a caller that
    // writes many files into one folder removes them once for the folder
    // (removeStrayTemporaries) and then writes with AlreadyRemoved.
    enum class Leftovers { RemoveFirst, AlreadyRemoved };

    explicit AtomicFileWriter(std::string path, Leftovers leftovers = Leftovers::RemoveFirst,
                              FileAccess access = FileAccess::Shared);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void write(std::string_view bytes);
    void commit();

    const std::string& path() const { return path_; }

    // Temporary files of saves that were interrupted carry this mark in their name.
    static constexpr std::string_view temporaryMark = ".qs-save-";

private:
    void flushBuffer();
    [[noreturn]] void fail(int error);
    void discard();

    std::string path_;
    std::string temporaryPath_;
    int fd_ = -1;
    // Left uninitialised: a small file touches no more of it than its size.
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
};

// Removes the temporary files that interrupted saves of any file left in the folder.
void removeStrayTemporaries(const std::string& folder);

// Writes bytes as the whole new content of a file, through AtomicFileWriter.
void writeFileAtomically(const std::string& path, std::string_view bytes,
                         FileAccess access = FileAccess::Shared);

} // namespace qs
