#pragma once

// What the in-memory targets check of a file format: the bytes read, written
// and read again give what was first read, when the format keeps everything
// it read; and what was read again writes out to the same bytes.

#include "FuzzShop.h"

#include <string>
#include <string_view>

namespace qs::fuzz {

template <typename Read, typename Write>
void checkRoundTrip(std::string_view input, Read&& read, Write&& write, bool keepsEverything = true)
{
    const auto first = read(input);
    const std::string written = write(first);
    const auto second = read(written);
    check(!keepsEverything || second == first, "what is written reads back the same");
    checkSame(written, write(second), "what is read back is written the same");
}

} // namespace qs::fuzz
