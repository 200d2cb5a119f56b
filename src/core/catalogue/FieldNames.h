#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qs {

// Field names are interned: every distinct name (without regard to case) gets
// a small number, so a product keeps numbers instead of repeated names.
using FieldId = std::uint32_t;

namespace FieldNames {

// The standard product fields have fixed numbers, in this order: the two
// fields held in memory, then the 21 columns of the catalogue file.
inline constexpr FieldId ProductName = 0;
inline constexpr FieldId Category = 1;
inline constexpr FieldId FirstFileColumn = 2;
inline constexpr FieldId StandardCount = 23;

FieldId intern(std::string_view name);
std::optional<FieldId> find(std::string_view name);
// The spelling under which the name was first interned.
std::string_view spelling(FieldId id);

} // namespace FieldNames

// The product fields stored in the catalogue file, in column order (columns 2 to 22).
inline constexpr std::string_view fileColumnFields[] = {"Type",
                                                        "Options",
                                                        "Custom Field 1",
                                                        "Custom Field 2",
                                                        "Custom Field 3",
                                                        "Unit",
                                                        "Price",
                                                        "Custom Field 4",
                                                        "Custom Field 5",
                                                        "Custom Field 6",
                                                        "Custom Field 7",
                                                        "Weight",
                                                        "Catalogue Number",
                                                        "Custom Field 8",
                                                        "Custom Field 9",
                                                        "Custom Field 10",
                                                        "Description",
                                                        "Picture",
                                                        "Suppress",
                                                        "Tax Code",
                                                        "Product Template"};

inline constexpr std::string_view productNameField = "Product Name";
inline constexpr std::string_view categoryField = "Category";
inline constexpr std::string_view categoryNameField = "Category Name";
inline constexpr std::string_view defaultPrefix = "Default ";
inline constexpr std::string_view descriptionField = "Description";
inline constexpr std::string_view pictureField = "Picture";
inline constexpr std::string_view templateField = "Template";

} // namespace qs
