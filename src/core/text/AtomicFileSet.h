#pragma once

#include "core/text/AtomicFile.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

// Writes several files so that a failure replaces all of them or none. Each
// new file goes to a temporary file of its own in its folder, which is
// flushed to disk and closed; a failure up to there replaces nothing. Then
// each old file is kept under a second name, one of a temporary file, and the
// new one renamed over it, file after file in the order they were added; last
// every folder involved is flushed once. Should a link, a rename or a
// folder's flush fail, every file already replaced gets its old version back
// (or is removed where there was none), the temporary files and the second
// names are removed, and the failure is thrown as FileError "Cannot create
// file <path>: <the system's reason>", the path that of the file whose call
// failed (for a folder, its first file of the set).
//
// What it cannot promise: on a file system without hard links the old files
// cannot be kept, so the commit goes on without them, and a failure after
// their renames leaves the new files in place, which can only be reported. A
// process killed between two renames (or before the folders are flushed) may
// leave some files old and others new, each one whole; the next save removes
// the temporary files it left.
class AtomicFileSet {
public:
    // Leftovers: as for AtomicFileWriter, for every file added.
    explicit AtomicFileSet(AtomicFileWriter::Leftovers leftovers = AtomicFileWriter::Leftovers::RemoveFirst);
    AtomicFileSet(const AtomicFileSet&) = delete;
    AtomicFileSet& operator=(const AtomicFileSet&) = delete;

    // A file of the set: the writer of its new content, valid as long as the set.
    AtomicFileWriter& add(std::string path, FileAccess access = FileAccess::Shared);
    // A file of the set with all of its new content.
    void add(std::string path, std::string_view bytes, FileAccess access = FileAccess::Shared);

    // Puts every file in place, or none. A set destroyed without commit()
    // removes its temporary files.
    void commit();

private:
    // AtomicFileWriter::commit: a set of that one writer.
    friend class AtomicFileWriter;
    explicit AtomicFileSet(AtomicFileWriter& only);

    // After a failure: the old versions of the first files, those already
    // replaced, put back, and every temporary file and second name removed.
    void undo(std::size_t replaced);

    AtomicFileWriter::Leftovers leftovers_;
    std::vector<std::unique_ptr<AtomicFileWriter>> owned_;
    std::vector<AtomicFileWriter*> writers_;
};

} // namespace qs
