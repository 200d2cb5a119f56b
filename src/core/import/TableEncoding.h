#pragma once

#include <cstddef>
#include <vector>

namespace qs {

// The encodings a table file may arrive in; the catalogue holds Windows-1252.
enum class TableEncoding { Windows1252, Utf8, Utf16LittleEndian, Utf16BigEndian };

// The characters a conversion had to replace with "?": the first few with
// where they now stand, and how many there were.
struct LostCharacters {
    // Stands for bytes that were no character of the file's encoding at all.
    static constexpr char32_t notACharacter = 0xFFFFFFFF;
    static constexpr std::size_t listed = 20;

    struct Lost {
        std::size_t offset; // of the "?" in the converted bytes
        char32_t codePoint;
    };
    std::vector<Lost> first;
    std::size_t count = 0;

    void add(std::size_t offset, char32_t codePoint);
};

// Converts the size bytes of a table file to Windows-1252, in place, and
// gives their new size. A byte-order mark says UTF-8 or UTF-16 and is
// dropped. Without one, bytes that are valid UTF-8 and hold anything beyond
// ASCII are UTF-8, as a spreadsheet writes them; anything else is
// Windows-1252 already and stays as it is.
TableEncoding convertToCp1252(char* bytes, std::size_t& size, LostCharacters& lost);

} // namespace qs
