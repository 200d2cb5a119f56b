#pragma once

#include <string>
#include <string_view>

namespace qs {

// The order of the search results: names are compared byte by byte, except
// that a run of digits counts by its length first, so numbers without leading
// zeros sort by value (Size 9 before Size 10), and a digit sorts after any
// other character. Negative, zero or positive as a is before, equal to or
// after b.
int CompareProductNames(std::string_view a, std::string_view b);

// A key whose plain byte order is the order of CompareProductNames, so that a
// long list is sorted with keys made once instead of walking both names in
// every comparison. It never holds a zero byte.
std::string productNameSortKey(std::string_view name);
// The same key appended to keys, for many keys in one block.
void appendProductNameSortKey(std::string& keys, std::string_view name);

} // namespace qs
