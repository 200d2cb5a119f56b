#pragma once

#include "CatalogueValues.h"

#include <string>
#include <string_view>

namespace qs::fuzz {

// A product three categories deep, for the paths of a category file to name,
// beside those it makes of its own. Every input reads it twice, so it holds
// no more than that.
inline constexpr std::string_view nestedCatalogue = "1::Books|Fiction|Classics|Emma\r\n";

// What a catalogue read from files held and what was written of it. No name
// or value read from a line holds a line break, so a line break ends each
// part of the texts below.
struct WrittenCatalogue {
    // Every product's line (see forEachProductValues).
    std::string products;
    // Path, description, picture and template of every category, in tree order.
    std::string categories;
    std::string productFile;
    std::string categoryFile;
    // The walk that gathers them, its memory kept from one catalogue to the next.
    CategoryPaths paths;

    // Takes the catalogue's part in place of what it held, in the same
    // buffers; the files are the caller's to fill.
    void gather(const Catalogue& catalogue);
};

// Stops the run unless the second catalogue held every product, value,
// category and detail of the first, and its files are the same.
void checkSameCatalogue(const WrittenCatalogue& first, const WrittenCatalogue& second);

// The bytes of a shop's two catalogue files (shop.data, header_data.log)
// either read into a catalogue in memory, as opening the shop reads the
// files, or stop with a message. What is read once is written, and reads
// back with every product, value, category and category detail it had; it
// is then written the same.
void checkCatalogueBytesRoundTrip(std::string_view productBytes, std::string_view categoryBytes);

} // namespace qs::fuzz
