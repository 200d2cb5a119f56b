#include "core/catalogue/FieldRecord.h"

#include <gtest/gtest.h>

#include <map>

namespace qs {
namespace {

using Fields = std::map<FieldId, std::string>;

Fields contents(const FieldRecord& record)
{
    Fields fields;
    FieldId last = 0;
    record.forEach([&](FieldId id, std::string_view value) {
        EXPECT_TRUE(fields.empty() || id > last) << "fields in ascending number, each once";
        EXPECT_FALSE(value.empty()) << "no empty field is held";
        fields.emplace(id, value);
        last = id;
    });
    return fields;
}

// Numbers and lengths past one byte of the variable-length encoding included.
TEST(FieldRecord, SetGetAndRemoveInAnyOrder)
{
    const std::string longValue(300, 'v');
    struct Step {
        FieldId id;
        std::string value;
    };
    const Step steps[] = {
        {5, "five"}, {1, "one"},    {300, longValue}, {70000, "far"}, {5, "FIVE"},
        {1, ""},     {2, "two"},    {0, "zero"},      {300, ""},      {70000, "x"},
        {4, ""},     {127, "edge"}, {128, "past"},    {0, ""},        {3, std::string(1, '\0')},
    };
    FieldRecord record;
    Fields expected;
    for (const auto& step : steps) {
        record.set(step.id, step.value);
        if (step.value.empty())
            expected.erase(step.id);
        else
            expected[step.id] = step.value;
        EXPECT_EQ(contents(record), expected) << "after setting " << step.id;
        for (FieldId id : {0u, 1u, 2u, 3u, 4u, 5u, 127u, 128u, 300u, 70000u, 99999u}) {
            const auto it = expected.find(id);
            EXPECT_EQ(record.get(id), it == expected.end() ? "" : it->second) << id;
        }
    }
    EXPECT_FALSE(record.empty());
}

TEST(FieldRecord, CopiesAreIndependent)
{
    FieldRecord original;
    original.set(0, "Apple");
    original.set(8, "1.20");
    FieldRecord copy(original);
    copy.set(8, "2.40");
    FieldRecord assigned;
    assigned.set(3, "gone");
    assigned = original;
    original.set(0, "");
    EXPECT_EQ(copy.get(0), "Apple");
    EXPECT_EQ(copy.get(8), "2.40");
    EXPECT_EQ(assigned.get(8), "1.20");
    EXPECT_EQ(assigned.get(3), "");
    EXPECT_EQ(original.get(0), "");
    EXPECT_EQ(original.get(8), "1.20");
}

// A record moved from stays a usable, empty record.
TEST(FieldRecord, MovedFromIsEmptyAndUsable)
{
    FieldRecord source;
    source.set(2, "Red|Blue");
    FieldRecord target(std::move(source));
    EXPECT_EQ(target.get(2), "Red|Blue");
    EXPECT_TRUE(source.empty());
    EXPECT_EQ(source.get(2), "");
    source.set(4, "again");
    EXPECT_EQ(contents(source), (Fields{{4, "again"}}));
    FieldRecord other;
    other = std::move(source);
    EXPECT_TRUE(source.empty());
    source.set(1, "x");
    EXPECT_EQ(source.get(1), "x");
}

TEST(FieldRecord, BuilderSkipsEmptyValues)
{
    FieldRecord::Builder builder;
    builder.add(0, "Apple");
    builder.add(1, "");
    builder.add(200, "Sweet");
    const FieldRecord record = builder.finish();
    EXPECT_EQ(contents(record), (Fields{{0, "Apple"}, {200, "Sweet"}}));
    EXPECT_TRUE(builder.finish().empty()) << "a finished builder starts again";
}

} // namespace
} // namespace qs
