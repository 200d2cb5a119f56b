#include "core/fields/FieldDefinitions.h"
#include "core/text/LineSplitter.h"
#include "core/text/ReadFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A first start reads the shipped file, a damaged installation falls back on
// the built-in list: the merchant must see the same fields either way.
const std::string shippedFieldInfo = std::string(QUAYSTALL_SHARE_PROGRAM) + "/Apache/cgi-bin/qstldb/data/" +
                                     std::string(qs::fieldInfoFileName);

TEST(ShippedFieldInfo, HoldsExactlyTheBuiltInDefinitions)
{
    std::vector<std::string> lines;
    qs::forEachLine(qs::readFileBytes(shippedFieldInfo),
                    [&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(lines, qs::FieldDefinitions::builtInLines());
}

TEST(ShippedFieldInfo, EndsEveryLineWithCrLf)
{
    const std::string bytes = qs::readFileBytes(shippedFieldInfo);
    std::size_t lineEnds = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool crLf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        if (crLf) {
            ++lineEnds;
            ++i;
        } else if (bytes[i] == '\r' || bytes[i] == '\n')
            ADD_FAILURE() << "a line end other than CR LF at byte " << i;
    }
    EXPECT_EQ(lineEnds, qs::FieldDefinitions::builtInLines().size());
    EXPECT_TRUE(bytes.ends_with("\r\n"));
}

} // namespace
