#pragma once

#include <string>

namespace qs {

// Brings a program folder up to the master copy the program was installed
// with. Every master file the folder lacks is added; of the files the folder
// has, only the master's shop scripts (the .pl and .pm files beside the
// script lists, and the two lists) and the program's own files (help,
// tool-bar bitmaps, the preview server's configuration) are replaced by the
// master's. Nothing
// the master does not have is touched: the merchant's shops, settings and
// data stay as they are, and so do the master's starting data files, which
// the merchant may have edited. Throws FileError; what was copied stays.
void updateFromMaster(const std::string& master, const std::string& folder);

// Whether the master's file at this path (relative to the program folder)
// replaces the folder's copy.
bool replacedByMaster(const std::string& relativePath);

} // namespace qs
