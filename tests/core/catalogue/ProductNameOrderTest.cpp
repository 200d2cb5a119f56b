#include "core/catalogue/ProductNameOrder.h"

#include <gtest/gtest.h>

#include <random>

namespace qs {
namespace {

int signOf(int n)
{
    return (n > 0) - (n < 0);
}

TEST(ProductNameOrder, ComparesNumbersByValueAndEverythingElseByCode)
{
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"Size 9", "Size 10", -1},
        {"Size 10", "Size 100", -1},
        {"Size 9", "Size 100", -1},
        {"apple", "Zebra", 1},
        {"Item A", "Item 1", -1},
        {"a2", "a1x", -1},
        {"a2x", "a1xy", 1},
        {"a1", "a2", -1},
        {"a12b", "a13a", -1},
        {"abc", "abc", 0},
        {"", "", 0},
        {"ab", "abc", -1},
        {"x\xE9", "xz", 1},
        {"1", "a", 1},
        {"007", "7", 1},
        {"Box 2 red", "Box 2 blue", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(signOf(CompareProductNames(c.a, c.b)), c.expected) << c.a << " / " << c.b;
        EXPECT_EQ(signOf(CompareProductNames(c.b, c.a)), -c.expected) << c.b << " / " << c.a;
    }
}

// The sort key must give exactly the comparison's order, for names made of
// the characters where the two could part: digits, letters on both sides of
// the digits' codes, bytes at both ends of the range, and names of any length.
// The key never holds a zero byte, which the sort relies on.
TEST(ProductNameOrder, TheSortKeyOrdersAsTheComparisonDoes)
{
    const std::string alphabet("019 aZ\0\x01\xFF", 9);
    std::mt19937 random(8);
    std::uniform_int_distribution<std::size_t> length(0, 6), pick(0, alphabet.size() - 1);
    const auto randomName = [&] {
        std::string name(length(random), ' ');
        for (char& c : name)
            c = alphabet[pick(random)];
        return name;
    };
    for (int i = 0; i < 200000; ++i) {
        const std::string a = randomName();
        const std::string b = randomName();
        const std::string keyA = productNameSortKey(a);
        ASSERT_EQ(keyA.find('\0'), std::string::npos) << '"' << a << '"';
        const int byKey = signOf(keyA.compare(productNameSortKey(b)));
        ASSERT_EQ(byKey, signOf(CompareProductNames(a, b))) << '"' << a << "\" / \"" << b << '"';
    }
}

} // namespace
} // namespace qs
