#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qs {

class Progress;

// Copying a shop's files into its upload folder, from which the merchant
// takes them to the web server: nothing may leave the shop's own folders,
// and nothing may be written outside the upload folder.

// What of a folder may be exported, in name order: its plain files, and its
// links to files unless the file lies outside the shop's folders (a broken
// link is selected: its copy fails and tells why).
// Sub-folders, links to folders and the temporary files of interrupted saves
// stay behind unlisted. Hidden files (a name beginning with "."), links
// leading out of the shop and special files (pipes, sockets, devices) stay
// behind with one line each in notExported, as does a source folder that
// cannot be read.
struct UploadSelection {
    std::vector<std::string> files;
    std::vector<std::string> notExported;
    bool sourceRead = true;
};
UploadSelection selectForUpload(const std::string& source, const std::vector<std::string>& shopFolders);

// Copies the files into the target folder, each under its own name, replacing
// a file of that name, readable by everyone (0644). The progress window shows the copy under the label.
// Returns one line for each file that could not be copied.
std::vector<std::string> copyForUpload(const std::vector<std::string>& files, const std::string& target,
                                       Progress& progress, std::string_view label);

// The selection of the source folder copied into the target folder: one line
// for each file that was not exported. When the source could be read, what
// the target holds besides the selection goes (see pruneUploadFolder).
std::vector<std::string> copyFolderForUpload(const std::string& source, const std::string& target,
                                             const std::vector<std::string>& shopFolders, Progress& progress,
                                             std::string_view label);

// Removes from the upload folder the files the shop no longer has: every file
// or link not named in `kept`. Hidden files (the export's own) and folders
// stay. Returns one line for each file that could not be removed.
std::vector<std::string> pruneUploadFolder(const std::string& folder, const std::vector<std::string>& kept);

// Whether the folder, as far as it exists, lies within the root once links
// are followed: a link on the way that leads out of the root makes it false.
bool staysWithin(const std::string& folder, const std::string& root);

} // namespace qs
