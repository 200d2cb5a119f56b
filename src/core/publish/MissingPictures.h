#pragma once

#include <string>
#include <vector>

namespace qs {

class Catalogue;

// The pictures the catalogue names (a category's own, each product's own or
// inherited one) that are no file of the image folder under that very name:
// the web server is asked for a picture by the bytes of its name, so the
// shop's pages would ask for them in vain. One line for each of the first
// few, sorted by name, with who names it; then how many more there are.
std::vector<std::string> missingPictures(const Catalogue& catalogue, const std::string& imageFolder);

inline constexpr std::size_t missingPicturesListed = 20;

} // namespace qs
