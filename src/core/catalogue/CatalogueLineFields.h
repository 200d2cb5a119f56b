#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace qs {

// Splits a catalogue line at every "::" into at most Max fields, from left
// to right; a line with more fields reports it instead of splitting further.
template <std::size_t Max> struct CatalogueLineFields {
    std::array<std::string_view, Max> fields;
    std::size_t count = 0;
    bool tooMany = false;

    explicit CatalogueLineFields(std::string_view line)
    {
        // Lines run to hundreds of bytes, so colons are found eight bytes at a time.
        const char* data = line.data();
        const std::size_t size = line.size();
        std::size_t start = 0;
        for (std::size_t base = 0; base < size; base += 8) {
            for (std::uint64_t colons = colonsIn(data + base, size - base); colons; colons &= colons - 1) {
                const std::size_t at = base + byteIndex(colons);
                if (at < start || at + 1 >= size || data[at + 1] != ':')
                    continue; // the second colon of a separator just taken, or a lone colon
                if (!add(data + start, at - start))
                    return;
                start = at + 2;
            }
        }
        add(data + start, size - start);
    }

private:
    bool add(const char* begin, std::size_t length)
    {
        if (count == Max) {
            tooMany = true;
            return false;
        }
        fields[count++] = std::string_view(begin, length);
        return true;
    }

    // The high bit of each byte of the word that is a colon.
    static std::uint64_t colonsIn(const char* bytes, std::size_t available)
    {
        std::uint64_t word = 0;
        if (available >= 8)
            std::memcpy(&word, bytes, 8);
        else
            std::memcpy(&word, bytes, available);             // bytes past the end stay zero: no colon
        const std::uint64_t x = word ^ 0x3A3A3A3A3A3A3A3Aull; // zero where the byte is ':'
        const std::uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
        return ~(((x & low7) + low7) | x | low7);
    }

    static std::size_t byteIndex(std::uint64_t highBits)
    {
        if constexpr (std::endian::native == std::endian::little)
            return static_cast<std::size_t>(std::countr_zero(highBits)) / 8;
        else
            return static_cast<std::size_t>(std::countl_zero(highBits)) / 8;
    }
};

} // namespace qs
