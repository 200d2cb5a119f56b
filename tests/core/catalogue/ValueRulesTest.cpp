#include "core/catalogue/ValueRules.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

TEST(ValueRules, RefusesWhatTheCatalogueFileCannotHold)
{
    struct Case {
        const char* field;
        const char* value;
        bool refused;
    };
    const Case cases[] = {
        {"Price", "9.99", false},        {"Price", "9::99", true},        {"Description", "a:b", false},
        {"Description", "a\nb", true},   {"Type", "S|M|L", false},        {"Product Name", "S|M", true},
        {"Category Name", "A|B", true},  {"Category Name", "A-B", false}, {"Product Name", "Dune", false},
        {"Default Price", "1::2", true}, {"Description", "Sizes:", true}, {"Category Name", "Books:", true},
        {"Description", ":-)", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(!valueRefusal(c.field, c.value).empty(), c.refused) << c.field << " " << c.value;
}

TEST(ValueRules, OneLineValuesKeepTheirBreaksAsBr)
{
    EXPECT_EQ(oneLineValue("a\r\nb\nc\rd\n\re"), "a<br>b<br>c<br>d<br>e");
    EXPECT_EQ(oneLineValue("plain"), "plain");
}

} // namespace
} // namespace qs
