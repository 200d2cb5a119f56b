#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qs {

class Progress;

// Copying a shop's files into its upload folder, from which the merchant
// takes them to the web server: nothing may leave the shop's own folders,
// and nothing may be written outside the upload folder.

// Copies every plain file of the source folder into the target folder under
// its own name, replacing a file of that name, in name order. Sub-folders
// and the temporary files of interrupted saves stay behind. Hidden files (a
// name beginning with ".") and special files (pipes, sockets, devices) stay
// behind too, and are listed. A link is followed only to a file inside one of the shop's folders.
// The progress window shows the copy under the label. Returns one line for
// each file that was not exported.
std::vector<std::string> copyFolderForUpload(const std::string& source, const std::string& target,
                                             const std::vector<std::string>& shopFolders, Progress& progress,
                                             std::string_view label);

// Whether the folder, as far as it exists, lies within the root once links
// are followed: a link on the way that leads out of the root makes it false.
bool staysWithin(const std::string& folder, const std::string& root);

} // namespace qs
