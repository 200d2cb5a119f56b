#pragma once

#include <string>
#include <string_view>

namespace qs {

// The name a file gets in the shop's image and data folders. The catalogue
// holds a picture's or template's name in Windows-1252, the folders on disk
// name files in UTF-8, and the web server finds a file by the very bytes the
// page asks for. Only plain ASCII reads the same in all three, so a file is
// brought in under a name of printable ASCII: letters lose their accents or
// are written in Latin letters (café → cafe, Łódź → Lodz), and any other
// character becomes "_", as do a ":" (the catalogue file's separator) and a
// leading "." (a hidden file, which the export leaves behind).

// The shared name for a file named so on disk (UTF-8; bytes that are no UTF-8
// each count as one character).
std::string shopFileName(std::string_view diskName);

// Whether a name already is one: the catalogue may name the file as it is.
bool isShopFileName(std::string_view name);

} // namespace qs
