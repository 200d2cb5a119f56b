#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace qs {

// Splits a catalogue line at every "::" into at most Max fields; a line with
// more fields reports it instead of splitting further.
template <std::size_t Max> struct CatalogueLineFields {
    std::array<std::string_view, Max> fields;
    std::size_t count = 0;
    bool tooMany = false;

    explicit CatalogueLineFields(std::string_view line)
    {
        std::size_t start = 0;
        for (;;) {
            std::size_t at = start;
            for (;;) {
                at = line.find(':', at);
                if (at == std::string_view::npos || (at + 1 < line.size() && line[at + 1] == ':'))
                    break;
                ++at;
            }
            if (count == Max) {
                tooMany = true;
                return;
            }
            if (at == std::string_view::npos) {
                fields[count++] = line.substr(start);
                return;
            }
            fields[count++] = line.substr(start, at - start);
            start = at + 2;
        }
    }
};

} // namespace qs
