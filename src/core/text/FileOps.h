#pragma once

#include "core/text/AtomicFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace qs {

class UserInterface;

// The file-system operations of the shop workspace. Paths are the platform's.

// True when the path exists and is a folder.
bool DirExists(const std::string& path);

// Makes the folder and any missing parents. A folder that cannot be made is
// not reported; an empty path throws FileError("Unable to create directory").
void MakeDirPath(const std::string& path);

// Copies every plain file of the source folder into the target folder under
// the same name. Folders, hidden files (a name beginning with "."), symbolic
// links and special files are not plain files. A file already in the target
// stays as it is; failures are ignored.
void CopyDirFiles(const std::string& source, const std::string& target);

// Copies one file over the destination. A failed copy reports nothing and
// leaves the destination as it was.
void CopyFileReplacing(const std::string& source, const std::string& destination);
// The same copy for callers that account for every file: a failure throws
// FileError with the system's message. A caller copying many files into one
// folder removes the leftovers of interrupted copies once beforehand.
void copyFileReplacingOrThrow(
    const std::string& source, const std::string& destination,
    AtomicFileWriter::Leftovers leftovers = AtomicFileWriter::Leftovers::RemoveFirst,
    FileAccess access = FileAccess::Shared);

// Copies the files named in the list file of the source folder into the
// destination folder, their "#!" line set to the Perl path and every line
// ended by CR LF. A file with a "#!" line is a script the web server runs
// (mode 0755); every other one is only read (0644). With a missing local CGI
// folder or list file nothing is copied, and the text that says so is
// returned for the caller to tell or list (empty when the files were
// copied). A file that cannot be copied, and a list line naming anything
// outside the list's folder, is told to the user and then thrown on as
// FileError: the calling command stops; what was copied stays. The names
// copied are added to `copied` when given.
std::string CopyListedScripts(UserInterface& ui, const std::string& localCGI, const std::string& source,
                              const std::string& destination, const std::string& perlPath,
                              const std::string& listFileName, std::vector<std::string>* copied = nullptr);

// Deletes the folder with everything in it. Symbolic links are removed, never
// followed. After the first entry that cannot be deleted nothing further is
// deleted. False when the path is no folder or an entry could not be deleted;
// whether the folder itself could be removed does not count.
bool DeleteDirTree(const std::string& path);

inline constexpr std::string_view allScriptsListName = "AllCGIFiles.txt";
inline constexpr std::string_view shopScriptsListName = "CGIFiles.txt";

} // namespace qs
