#pragma once

#include <string>
#include <vector>

namespace qs {
class Catalogue;
}

namespace qs::fuzz {

// Every product of the catalogue as one line of text, in tree order: its
// category's path, then each field that holds a value, number and value. Two
// catalogues hold the same products with the same values when their lines
// are the same.
std::vector<std::string> productValues(const Catalogue& catalogue);

} // namespace qs::fuzz
