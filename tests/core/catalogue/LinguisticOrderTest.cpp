#include "core/catalogue/LinguisticOrder.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

TEST(LinguisticOrder, SmallBeforeCapitalOnlyWhereTheLettersAreTheSame)
{
    // Each name comes strictly before the next.
    const std::vector<std::string> ordered = {
        "",
        "1",
        "10",
        "2",
        "apple",
        "Apple",
        "apples",
        "banana",
        "\xE9"
        "clair",
        "\xC9"
        "clair",
        "eclairs",
        "Zebra",
        "zebras",
    };
    const LinguisticOrder order;
    for (std::size_t i = 0; i + 1 < ordered.size(); ++i) {
        const std::string& a = ordered[i];
        const std::string& b = ordered[i + 1];
        EXPECT_TRUE(order.less(a, b)) << a << " < " << b;
        EXPECT_FALSE(order.less(b, a)) << b << " < " << a;
        EXPECT_LT(order.sortKey(a), order.sortKey(b)) << a << " < " << b;
    }
    EXPECT_FALSE(order.less("Apple", "Apple"));
    const std::string longName(5000, 'x');
    EXPECT_LT(order.sortKey(longName), order.sortKey(longName + "y"));
    // Keys appended one after another are each the key of its own text.
    std::string keys = "x";
    order.appendSortKey(keys, "apple");
    order.appendSortKey(keys, longName);
    EXPECT_EQ(keys, "x" + order.sortKey("apple") + order.sortKey(longName));
}

} // namespace
} // namespace qs
