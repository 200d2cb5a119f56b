#pragma once

#include <string>
#include <string_view>

namespace qs {

class UserInterface;

// Brings a file the merchant chooses into one of the shop's folders (its
// image folder, its data folder) and returns its bare name; empty when the
// merchant cancels, declines a question or the copy fails (which is told).
// A file already in the folder (the same file, however it was reached; a
// link into the folder stands for the file it leads to) is used where it is,
// never copied onto itself. A file whose name is no shared name
// (ShopFileName.h) is copied into the folder under its shared name, even from
// inside it, and the merchant is told the name it got.
// The dialog starts in startFolder when one is given (else in the folder
// itself), and a file chosen leaves its own folder there for the next time.
std::string PickFileIntoDirectory(UserInterface& ui, const std::string& directory, std::string_view filter,
                                  std::string_view initialName, std::string* startFolder = nullptr);

// Tells the name a file was copied under.
std::string renamedCopyMessage(std::string_view name);

// Every picture format the shop's pages show.
inline constexpr std::string_view imageFilter =
    "Image Files (*.png;*.jpg;*.jpeg;*.gif;*.webp)|*.png;*.jpg;*.jpeg;*.gif;*.webp;*.PNG;*.JPG;*.JPEG;*.GIF;*.WEBP";
inline constexpr std::string_view templateFilter = "HTML Files (*.htm;*.html)|*.htm;*.html";
inline constexpr std::string_view replaceFileQuestion =
    "There is already a file of this name in the destination directory. Replace it?";

} // namespace qs
