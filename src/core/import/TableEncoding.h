#pragma once

#include <cstddef>
#include <vector>

namespace qs {

// The encodings a table file may arrive in; the catalogue holds Windows-1252.
enum class TableEncoding { Windows1252, Utf8, Utf16LittleEndian, Utf16BigEndian };

// Characters of a conversion the merchant should hear of: the first few with
// where they now stand, and how many there were.
struct CharacterList {
    static constexpr std::size_t listed = 20;

    struct Entry {
        std::size_t offset; // in the converted bytes
        char32_t value;     // a code point, or a byte of the file (see ConversionNotes)
    };
    std::vector<Entry> first;
    std::size_t count = 0;

    void add(std::size_t offset, char32_t value);
};

// What a conversion could not take as it stood.
struct ConversionNotes {
    // Stands for bytes that were no character of the file's encoding at all.
    static constexpr char32_t notACharacter = 0xFFFFFFFF;

    // Characters the catalogue cannot hold, now "?". From a Windows-1252
    // table, the bytes that are no character of it (and NUL); from any
    // other, the characters that have no place in Windows-1252 (and U+0000),
    // or notACharacter.
    CharacterList lost;
    // In a UTF-8 table, the bytes that are no UTF-8 character, taken as the
    // Windows-1252 characters they are: the table mixes the two.
    CharacterList mixed;
};

// Converts the size bytes of a table file to Windows-1252, in place, and
// gives their new size. A byte-order mark says UTF-8 or UTF-16 and is
// dropped. Without one, zero bytes at every other place say UTF-16 (most of a
// table is ASCII, whose high bytes are zero), and bytes that hold UTF-8
// characters beyond ASCII are UTF-8, as a spreadsheet writes them; anything
// else is Windows-1252 already. No NUL byte comes out of it.
TableEncoding convertToCp1252(char* bytes, std::size_t& size, ConversionNotes& notes);

} // namespace qs
