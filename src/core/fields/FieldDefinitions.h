#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

// The ordered list of product field definitions. Each entry is a line
// name=attributes, the attributes a comma list: Type, Importance, Description,
// Warning, Unique, Extensible. Position matters (it decides grid columns);
// lookups by name match without regard to case and the first entry answers.
class FieldDefinitions {
public:
    enum Attribute { Type = 0, Importance = 1, Description = 2, Warning = 3, Unique = 4, Extensible = 5 };

    // Starts with the built-in definitions.
    FieldDefinitions();

    // Reads fieldinfo.data; when the file cannot be read the built-in
    // definitions stay and nothing is reported. True when the file was read.
    bool DefinitionsLoad(const std::string& path);
    // The same from the file's bytes.
    void setBytes(std::string_view bytes);
    void setLines(const std::vector<std::string>& lines);

    // The name at a position; empty past the end.
    std::string_view FieldNameAt(std::ptrdiff_t position) const;
    // The position of the first entry of that name, or -1.
    std::ptrdiff_t FieldIndex(std::string_view name) const;
    // The attribute token at a position of the named entry; empty when there is none.
    std::string_view FieldAttribute(std::string_view name, std::size_t position) const;
    std::string_view attributeAt(std::size_t index, std::size_t position) const;
    std::size_t count() const { return entries_.size(); }

    // The canonical lines of the fourteen built-in definitions.
    static const std::vector<std::string>& builtInLines();

private:
    struct Entry {
        std::string name;
        std::vector<std::string> attributes;
    };

    std::vector<Entry> entries_;
};

// The category detail fields, in the order the category grid shows them.
inline constexpr std::string_view CatList[] = {"Category Name", "Description", "Picture", "Template"};

inline constexpr std::string_view fieldInfoFileName = "fieldinfo.data";

} // namespace qs
