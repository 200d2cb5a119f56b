#pragma once

#include <string>
#include <string_view>

namespace qs {

// What the catalogue file can hold. Fields are separated by "::", the names
// of a category path by "|", and lines end at a line break: a value holding
// any of these would corrupt the shop's files.

// Line breaks typed or pasted into a one-line value, as the catalogue stores
// them: each of CR LF, LF CR, CR and LF becomes "<br>".
std::string oneLineValue(std::string_view text);

// Why the value cannot be stored under the field (a product field, or a
// category detail such as "Category Name"), or empty when it can. Names may
// not hold "|"; no value may hold "::" or a line break, or end with ":": the
// file's "::" after it would read as ":" and a ":" that begins the next field.
std::string valueRefusal(std::string_view field, std::string_view value);

} // namespace qs
