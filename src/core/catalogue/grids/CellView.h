#pragma once

#include <string>

namespace qs {

// How a grid cell is drawn: its text and the kind of value it shows. The face
// turns the style into colours.
enum class CellStyle {
    Heading,   // a fixed cell: labels and field names
    Plain,     // a value of its own, typed in place
    Special,   // chosen through a dialog: "(None...)", "(More...)", a file name
    Inherited, // the category's default, shown for an empty field
    Several,   // one value per type: "(Several...)"
};

struct CellView {
    std::string text;
    CellStyle style = CellStyle::Plain;

    bool operator==(const CellView&) const = default;
};

} // namespace qs
