#include "core/settings/ChargeTables.h"
#include "core/settings/DeliveryAreas.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

TEST(PostageFilesTest, AreaFileKeepsItsLinesAndItsLastMark)
{
    const DeliveryAreas areas =
        DeliveryAreas::parse("Spain=3,1\r\n*France=3,1\n\r\n*Eire=2,1\rOdd=9,x\r\nBare\r\n");
    ASSERT_EQ(areas.entries.size(), 5u);
    EXPECT_EQ(areas.defaultArea, "Eire");
    EXPECT_EQ(areas.bytes(), "Spain=3,1\r\nFrance=3,1\r\n*Eire=2,1\r\nOdd=9,x\r\nBare=\r\n");
    // A zone or liability the file does not hold shows as none.
    const std::tuple<const char*, int, int> values[] = {{"3,1", 3, 1}, {"9,x", 0, -1}, {"", 0, -1},
                                                        {"6,0", 6, 0}, {"0,1", 0, 1},  {"12,0", 0, 0}};
    for (const auto& [value, zone, liability] : values) {
        const DeliveryArea area{"A", value};
        EXPECT_EQ(area.zone(), zone) << value;
        EXPECT_EQ(area.liability(), liability) << value;
    }
    EXPECT_EQ(DeliveryAreas::parse("Spain=3,1\r\n").defaultArea, "");
}

TEST(PostageFilesTest, ZoneAndLiabilityAreStoredTogether)
{
    DeliveryArea canada{"Canada", "4,0"};
    canada.setLiability(1);
    EXPECT_EQ(canada.value, "4,1");
    canada.setZone(2);
    EXPECT_EQ(canada.value, "2,1");
    DeliveryArea odd{"Odd", "x"};
    odd.setZone(5);
    EXPECT_EQ(odd.value, "5,0");
}

TEST(PostageFilesTest, TheBuiltInAreasAreTheFiftyAsPrinted)
{
    const DeliveryAreas areas = DeliveryAreas::builtIn();
    ASSERT_EQ(areas.entries.size(), 50u);
    EXPECT_EQ(areas.entries.front(), (DeliveryArea{"Argentina", "6,0"}));
    EXPECT_EQ(areas.entries[35], (DeliveryArea{"Phillippines", "6,0"}));
    EXPECT_EQ(areas.entries[47], (DeliveryArea{"United Kingdom", "1,1"}));
    EXPECT_EQ(areas.entries.back(), (DeliveryArea{"West Indies", "6,0"}));
    EXPECT_TRUE(areas.defaultArea.empty());
}

TEST(PostageFilesTest, ChargeFilesAreWrittenWithSixZones)
{
    ChargeTables tables;
    tables.bands = {"100", "250", "500"};
    tables.weightCharges = {{"2.50"}, {}, {"", "", "", "", "", "9"}};
    tables.fixedCosts = {"1", "2", "3", "4", "5", "6"};
    EXPECT_EQ(tables.weightBytes(),
              "1::100::2.50::::::::::\r\n2::250::::::::::::\r\n3::500::::::::::::9\r\n");
    EXPECT_EQ(tables.fixedBytes(), "1::100::1::2::3::4::5::6\r\n");
    EXPECT_EQ(ChargeTables::parse(tables.weightBytes(), tables.fixedBytes()), tables);
    EXPECT_EQ(ChargeTables().fixedBytes(), "1::::::::::::::\r\n");
    EXPECT_EQ(ChargeTables().weightBytes(), "");
}

TEST(PostageFilesTest, ReadingTablesNeverGoesOutOfRange)
{
    const ChargeTables tables = ChargeTables::parse(
        "\r\n7\r\n1::50::a::b\r\n100 grams: 3.00\r\n2::75::1::2::3::4::5::6::7::8\r\n3::\r\n",
        "1::x::c\r\n1::y::d\r\n");
    // Lines without "::" hold no band; "3::" is a band without a limit.
    EXPECT_EQ(tables.bands, (std::vector<std::string>{"50", "75", ""}));
    ASSERT_EQ(tables.weightCharges.size(), 3u);
    EXPECT_EQ(tables.weightCharges[0], (ZoneCharges{"a", "b"}));
    EXPECT_EQ(tables.weightCharges[1], (ZoneCharges{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(tables.weightCharges[2], ZoneCharges());
    EXPECT_EQ(tables.fixedCosts, (ZoneCharges{"c"}));
}

} // namespace
} // namespace qs
