#pragma once

#include <string_view>

namespace qs::fuzz {

class FuzzShop;

// The postage files of the fuzz shop (area.txt, zones_data.log,
// zones_fixed.log), whatever they hold, open with the shop and show in the
// "Postage and Packing Info" dialog without going out of range. OK, with
// nothing changed, either says why it cannot write what they hold and
// leaves them as they were, or writes files from which the shop opens with
// the same areas and tables, and which the same steps leave as they are.
void checkPostageRoundTrip(const FuzzShop& shop);

// The same in memory, for the bytes of the three files: read, asked whether
// OK would refuse them, and when it would not, written and read again.
void checkPostageBytesRoundTrip(std::string_view areaBytes, std::string_view weightBytes,
                                std::string_view fixedBytes);

} // namespace qs::fuzz
