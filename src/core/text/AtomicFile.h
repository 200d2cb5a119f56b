#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace qs {

// Who may read a file written anew: everyone the umask allows (or, when it
// replaces a file, whoever could read that one), or its owner only, for
// files that hold a password. A file bound for a web server gets the same
// mode whatever the umask or the file it replaces: everyone reads it
// (0644), and a script everyone may run as well (0755).
enum class FileAccess { Shared, OwnerOnly, Published, PublishedProgram };

// Writes a file so that a save never destroys what was there: the bytes go to
// a new temporary file in the same folder, which is flushed to disk and then
// renamed over the old file; the folder is flushed last. commit() does this
// as a set of one file (AtomicFileSet), which says what a failed commit
// leaves. A writer destroyed without commit() removes its temporary file.
// Every failure throws FileError "Cannot create file <path>: <the system's
// reason>".
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
    // Not for a writer an AtomicFileSet gave: that set commits it.
    void commit();

    const std::string& path() const { return path_; }
    // The folder the file is in ("." for a bare name).
    std::string folder() const;

    // Temporary files of saves that were interrupted carry this mark in their name.
    static constexpr std::string_view temporaryMark = ".qs-save-";

private:
    // The steps of a commit, which AtomicFileSet takes for all its files.
    friend class AtomicFileSet;
    // Writes what is buffered and flushes and closes the temporary file.
    void finish();
    // Keeps the old file under a second name, one of a temporary file, and
    // renames the new one over it. 0, or the error number of the failed
    // call, and then nothing is replaced.
    int replaceOldFile();
    // Undoes replaceOldFile: the kept old file back under its name, or no
    // file where there was none. Where the old file could not be kept (no
    // hard links), the new one stays.
    void restoreOldFile();
    // Removes the second name of the old file once the new one is in place for good.
    void forgetOldFile();

    void flushBuffer();
    [[noreturn]] void fail(int error);
    // Removes the temporary file and the old file's second name.
    void discard();

    std::string path_;
    std::string temporaryPath_;
    std::string keptPath_;
    bool hadNoFile_ = false;
    int fd_ = -1;
    // Left uninitialised: a small file touches no more of it than its size.
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
};

// Whether a file name is one a save gives its temporary file.
bool isSaveTemporaryName(std::string_view name);

// Removes the temporary files that interrupted saves of any file left in the folder.
void removeStrayTemporaries(const std::string& folder);

// Writes bytes as the whole new content of a file, through AtomicFileWriter.
void writeFileAtomically(const std::string& path, std::string_view bytes,
                         FileAccess access = FileAccess::Shared);

} // namespace qs
