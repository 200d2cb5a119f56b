#pragma once

#include "core/catalogue/FieldNames.h"

#include <array>
#include <string>
#include <string_view>

namespace qs {

class AtomicFileWriter;
class Catalogue;
struct OpenCatalogue;
class UserInterface;

// The catalogue files read by the shop's scripts: shop.data, one line per
// product, and header_data.log, one line per category; fields separated by
// "::", category names within a path by "|", lines ended by CR LF.

inline constexpr std::string_view catalogueFileName = "shop.data";
inline constexpr std::string_view categoryFileName = "header_data.log";
inline constexpr std::string_view fieldSeparator = "::";

// The columns of shop.data: the ID, the category path with the product's
// name, then the product fields. A name beginning with "(" is not a field.
inline constexpr std::size_t catalogueColumnCount = 2 + std::size(fileColumnFields);
inline constexpr std::array<std::string_view, catalogueColumnCount> TXTFields = [] {
    std::array<std::string_view, catalogueColumnCount> names{"(QSTL Catalogue Number)",
                                                             "(Category+Product Name)"};
    for (std::size_t i = 0; i < std::size(fileColumnFields); ++i)
        names[2 + i] = fileColumnFields[i];
    return names;
}();

// Rebuilds the catalogue from shop.data and the header_data.log in the data
// folder, which is made when missing. Opening the shop has read its settings
// first. Tells the user what stopped a load and returns false then; the
// products read so far stay. An empty path does nothing.
bool LoadCatalogue(OpenCatalogue& open, UserInterface& ui, const std::string& shopDataPath,
                   const std::string& dataDir);
// The same from the bytes of the two files, held in memory; a line that stops
// the load is named as a line of shop.data.
bool LoadCatalogueBytes(OpenCatalogue& open, UserInterface& ui, std::string_view productBytes,
                        std::string_view categoryBytes);

// Writes the product lines of shop.data into the file's writer, which the
// caller commits. Throws FileError.
void writeProductFile(const Catalogue& catalogue, AtomicFileWriter& file);
// Writes the category lines of header_data.log likewise. Throws FileError.
void writeCategoryFile(const Catalogue& catalogue, AtomicFileWriter& file);
// The bytes each of the two writes, appended to a text in memory.
void appendProductFile(const Catalogue& catalogue, std::string& bytes);
void appendCategoryFile(const Catalogue& catalogue, std::string& bytes);
// The same as texts of their own.
std::string productFileBytes(const Catalogue& catalogue);
std::string categoryFileBytes(const Catalogue& catalogue);

// Asked before a shop with unsaved changes is closed or the program left.
inline constexpr std::string_view saveCatalogueQuestion = "Do you wish to save the catalogue?";

// How a Save ended: the merchant may decline it, and a catalogue file that
// cannot be written fails it after telling the merchant.
enum class SaveOutcome { Saved, Declined, Failed };

} // namespace qs
