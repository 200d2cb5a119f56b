#include "core/settings/PostageAndPacking.h"
#include "ScriptedUserInterface.h"
#include "TempFolder.h"
#include "core/app/AppState.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qs {
namespace {

using test::ScriptedUserInterface;

class PostageAndPackingTest : public ::testing::Test {
protected:
    PostageAndPackingTest() : state(folder.path().string())
    {
        state.LocCGI = folder.path().string();
        state.ShopName = "Demo";
        std::filesystem::create_directories(state.ShopDataDir());
    }

    void writeData(std::string_view name, std::string_view bytes) const
    {
        folder.write("Demo-cgi/data/" + std::string(name), bytes);
    }
    std::string data(std::string_view name) const
    {
        return folder.read("Demo-cgi/data/" + std::string(name));
    }

    test::TempFolder folder;
    AppState state;
    ScriptedUserInterface ui;
    PostageAndPacking& postage = state.Postage;
};

TEST_F(PostageAndPackingTest, EachShopStartsFromItsOwnFilesOrTheDefaults)
{
    writeData("area.txt", "Spain=3,1\r\n*France=3,1\r\n");
    writeData("zones_data.log", "1::100::2.50::::::::::\r\n");
    writeData("zones_fixed.log", "1::100::4::::::::::\r\n");
    postage.shopOpened(state.ShopDataDir());
    EXPECT_EQ(postage.areas.defaultArea, "France");
    EXPECT_EQ(postage.tables.bands, std::vector<std::string>{"100"});
    EXPECT_EQ(postage.tables.fixedCosts[0], "4");

    state.ShopName = "Other";
    postage.shopOpened(state.ShopDataDir());
    EXPECT_EQ(postage.areas, DeliveryAreas::builtIn());
    EXPECT_EQ(postage.tables, ChargeTables());
    EXPECT_TRUE(ui.said.empty());

    // Showing tells of the missing area file and shows no method chosen.
    state.Postage.method = PostageAndPacking::Percentage;
    postage.show(state.ShopFields, state.ShopDataDir(), ui);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Could not open areas file."});
    EXPECT_EQ(postage.method, PostageAndPacking::NoMethod);
}

TEST_F(PostageAndPackingTest, ShowingTakesTheKeysAsStored)
{
    writeData("area.txt", "UK=1,1\r\n");
    // The shop's scripts charge nothing for a word they do not know.
    const std::tuple<const char*, int> methods[] = {
        {"perzone", PostageAndPacking::PerZone},    {"percentage", PostageAndPacking::Percentage},
        {" PerZone ", PostageAndPacking::PerZone},  {"PERCENTAGE", PostageAndPacking::Percentage},
        {"by weight", PostageAndPacking::NoMethod}, {"", PostageAndPacking::NoMethod}};
    state.ShopFields.setValue("shippercent", "12.5");
    state.ShopFields.setValue("postvatinc", "yes");
    state.ShopFields.setValue("weightunit", "kilos (kg)");
    for (const auto& [stored, method] : methods) {
        state.ShopFields.setValue("shipmethod", stored);
        postage.show(state.ShopFields, state.ShopDataDir(), ui);
        EXPECT_EQ(postage.method, method) << stored;
    }
    EXPECT_EQ(postage.percentage, "12.5");
    EXPECT_TRUE(postage.vatIncluded);
    EXPECT_EQ(postage.weightUnit, "kilos (kg)");
    EXPECT_TRUE(ui.said.empty());
}

TEST_F(PostageAndPackingTest, AreaEditsRefuseWhatTheFileCannotHold)
{
    postage.areas = DeliveryAreas::parse("Canada=4,0\r\n*France=3,1\r\n");
    const std::tuple<const char*, std::string> refused[] = {
        {"A=B", "An area name cannot contain \"=\"."},
        {"A\tB", "An area name cannot contain a tab."},
        {"A\r\nB", "An area name cannot contain a line break."},
        {"*Spain", std::string(PostageAndPacking::areaMarkMessage)},
        {"FRANCE", "An area of that name is already listed."}};
    for (const auto& [name, message] : refused) {
        ui.said.clear();
        EXPECT_FALSE(postage.renameArea(0, name, ui)) << name;
        EXPECT_EQ(ui.texts(), std::vector<std::string>{message});
    }
    EXPECT_EQ(postage.areas.entries[0].name, "Canada");

    postage.setLiability(0, 1);
    postage.setZone(0, 2);
    EXPECT_TRUE(postage.renameArea(1, "La France", ui));
    EXPECT_TRUE(postage.renameArea(0, "canada", ui));
    EXPECT_EQ(postage.areas.bytes(), "canada=2,1\r\n*La France=3,1\r\n");
    postage.setDefault(1, false);
    postage.setDefault(0, true);
    EXPECT_EQ(postage.areas.bytes(), "*canada=2,1\r\nLa France=3,1\r\n");
}

TEST_F(PostageAndPackingTest, NewAndDeleteAreas)
{
    postage.areas = DeliveryAreas::parse("*A=1,1\r\nB=2,0\r\n");
    EXPECT_EQ(postage.newArea(1), 1u);
    EXPECT_EQ(postage.newArea(std::nullopt), 3u);
    ui.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(postage.deleteArea(0, ui));
    EXPECT_TRUE(postage.deleteArea(0, ui));
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Delete 'A'?", "Delete 'A'?"}));
    EXPECT_EQ(postage.areas.bytes(), "New Area=1,0\r\nB=2,0\r\nNew Area 2=1,0\r\n");
}

TEST_F(PostageAndPackingTest, BandsStayInOrderWithTheirCharges)
{
    postage.weightUnit = "grammes (g)";
    for (const char* band : {"250", "100", "500"})
        ASSERT_TRUE(postage.newBand(band, ui));
    ASSERT_TRUE(postage.setWeightCharge(0, 0, "1.00", ui));
    ASSERT_TRUE(postage.setWeightCharge(1, 5, "2.50", ui));
    EXPECT_EQ(postage.bandHeading(0), "0g to 100g");
    EXPECT_EQ(postage.bandHeading(1), "100g to 250g");

    // Renaming moves the band with its row; the others keep theirs.
    EXPECT_EQ(postage.renameBand(0, "300", ui), std::optional<std::size_t>(1));
    EXPECT_EQ(postage.tables.bands, (std::vector<std::string>{"250", "300", "500"}));
    EXPECT_EQ(postage.tables.weightCharges[0][5], "2.50");
    EXPECT_EQ(postage.tables.weightCharges[1][0], "1.00");

    const std::tuple<const char*, std::string_view> refused[] = {
        {"heavy", PostageAndPacking::bandNotNumberMessage},
        {"1::2", PostageAndPacking::bandNotNumberMessage},
        {"500.0", PostageAndPacking::bandExistsMessage}};
    for (const auto& [band, message] : refused) {
        ui.said.clear();
        EXPECT_FALSE(postage.newBand(band, ui)) << band;
        EXPECT_EQ(ui.texts(), std::vector<std::string>{std::string(message)});
    }
    ui.answers = {Answer::Yes};
    ASSERT_TRUE(postage.deleteBand(0, ui));
    EXPECT_EQ(postage.tables.bands, (std::vector<std::string>{"300", "500"}));
    EXPECT_EQ(postage.tables.weightCharges[0][0], "1.00");
}

TEST_F(PostageAndPackingTest, ChargesRefuseColonsAndNeedABand)
{
    ScriptedUserInterface quiet;
    EXPECT_FALSE(postage.chargesEditable());
    EXPECT_FALSE(postage.setWeightCharge(0, 0, "1", quiet));
    ASSERT_TRUE(postage.newBand("100", quiet));
    for (const char* charge : {"1::2", "2:", "a\nb"})
        EXPECT_FALSE(postage.setWeightCharge(0, 0, charge, ui)) << charge;
    EXPECT_FALSE(postage.setFixedCost(6, "1", ui));
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"A charge cannot contain \":\".", "A charge cannot contain \":\".",
                                        "A charge cannot contain a line break."}));
    EXPECT_TRUE(quiet.said.empty());
    EXPECT_EQ(PostageAndPacking::unitOf("ounces (oz)"), "oz");
    EXPECT_EQ(PostageAndPacking::unitOf("stones"), "stones");
    EXPECT_EQ(PostageAndPacking::unitOf("x) (y"), "x) (y");
}

TEST_F(PostageAndPackingTest, VatIncludedAsksFirst)
{
    ui.answers = {Answer::Cancel, Answer::Ok};
    EXPECT_FALSE(postage.setVatIncluded(true, ui));
    EXPECT_TRUE(postage.setVatIncluded(true, ui));
    EXPECT_FALSE(postage.setVatIncluded(false, ui));
    ASSERT_EQ(ui.said.size(), 2u);
    EXPECT_EQ(ui.said[0].text.find("Warning! Postage and packing are VAT-charged"), 0u);
    EXPECT_EQ(ui.said[0].text.find('\r'), std::string::npos);
}

TEST_F(PostageAndPackingTest, OkWritesTheThreeFilesThenTheKeys)
{
    postage.areas = DeliveryAreas::parse("UK=1,1\r\n*Eire=2,1\r\n");
    ASSERT_TRUE(postage.newBand("100", ui));
    ASSERT_TRUE(postage.setWeightCharge(0, 0, "2.50", ui));
    postage.method = PostageAndPacking::Percentage;
    postage.percentage = "10";
    postage.vatIncluded = true;
    ASSERT_TRUE(postage.accept(state, state.ShopDataDir(), ui));
    EXPECT_EQ(data("area.txt"), "UK=1,1\r\n*Eire=2,1\r\n");
    EXPECT_EQ(data("zones_data.log"), "1::100::2.50::::::::::\r\n");
    EXPECT_EQ(data("zones_fixed.log"), "1::100::::::::::::\r\n");
    EXPECT_EQ(state.ShopFields.value("shipmethod"), "percentage");
    EXPECT_EQ(state.ShopFields.value("shippercent"), "10");
    EXPECT_EQ(state.ShopFields.value("postvatinc"), "yes");
    EXPECT_TRUE(state.CatalogueModified());

    // Another method leaves the percentage in place; a cleared VAT box removes its key.
    state.SettingsModified = false;
    postage.method = PostageAndPacking::PerZone;
    postage.percentage = "99";
    postage.vatIncluded = false;
    ASSERT_TRUE(postage.accept(state, state.ShopDataDir(), ui));
    EXPECT_EQ(state.ShopFields.value("shippercent"), "10");
    EXPECT_FALSE(state.ShopFields.contains("postvatinc"));
    EXPECT_TRUE(state.SettingsModified);
    state.SettingsModified = false;
    ASSERT_TRUE(postage.accept(state, state.ShopDataDir(), ui));
    EXPECT_FALSE(state.SettingsModified) << "nothing changed";
}

TEST_F(PostageAndPackingTest, WhatOkWroteReadsBackUnchanged)
{
    writeData("area.txt", "UK=1,1\r\n*Eire=2,1\r\nOdd=9,x\r\n");
    writeData("zones_data.log", "1::100::2.50::::::::::9\r\n2::250::3::::::::::\r\n");
    writeData("zones_fixed.log", "1::100::1::2::3::4::5::6\r\n");
    postage.shopOpened(state.ShopDataDir());
    postage.show(state.ShopFields, state.ShopDataDir(), ui);
    ASSERT_TRUE(postage.accept(state, state.ShopDataDir(), ui));
    const std::string files[] = {data("area.txt"), data("zones_data.log"), data("zones_fixed.log")};
    EXPECT_EQ(files[0], "UK=1,1\r\n*Eire=2,1\r\nOdd=9,x\r\n");
    EXPECT_EQ(files[1], "1::100::2.50::::::::::9\r\n2::250::3::::::::::\r\n");
    EXPECT_EQ(files[2], "1::100::1::2::3::4::5::6\r\n");
    PostageAndPacking again;
    again.shopOpened(state.ShopDataDir());
    again.show(state.ShopFields, state.ShopDataDir(), ui);
    EXPECT_EQ(again.areas, postage.areas);
    EXPECT_EQ(again.tables, postage.tables);
    EXPECT_EQ(again.method, postage.method);
    EXPECT_TRUE(ui.said.empty());
}

TEST_F(PostageAndPackingTest, OkRefusesWhatOnlyDamagedFilesGive)
{
    struct Case {
        const char* file;
        const char* bytes;
        std::string message;
    };
    const Case cases[] = {
        {"zones_data.log", "1::100::2.50:\r\n", "A charge cannot contain \":\"."},
        {"zones_data.log", "1::100:\r\n", "A weight band cannot contain \":\"."},
        {"zones_fixed.log", "1::100::4:\r\n", "A charge cannot contain \":\"."},
        {"area.txt", "**Jersey=1,0\r\n*Guernsey=1,0\r\n", std::string(PostageAndPacking::areaMarkMessage)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        state.ShopName = std::string("Shop") + std::to_string(&c - cases);
        std::filesystem::create_directories(state.ShopDataDir());
        folder.write(state.ShopName + "-cgi/data/" + c.file, c.bytes);
        postage.shopOpened(state.ShopDataDir());
        ui.said.clear();
        EXPECT_FALSE(postage.accept(state, state.ShopDataDir(), ui));
        EXPECT_EQ(ui.texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(folder.read(state.ShopName + "-cgi/data/" + c.file), c.bytes);
        const std::filesystem::directory_iterator files(state.ShopDataDir());
        EXPECT_EQ(std::distance(files, std::filesystem::directory_iterator()), 1) << "nothing else written";
        EXPECT_FALSE(state.ShopFields.contains("shipmethod"));
    }
}

TEST_F(PostageAndPackingTest, AFailedWriteLeavesTheKeys)
{
    state.ShopName = "Gone";
    EXPECT_FALSE(postage.accept(state, state.ShopDataDir(), ui));
    ASSERT_EQ(ui.said.size(), 1u);
    EXPECT_EQ(ui.said[0].text,
              "Cannot create file " + state.ShopDataDir() + "/area.txt: No such file or directory");
    EXPECT_FALSE(state.ShopFields.contains("shipmethod"));

    ui.said.clear();
    ASSERT_TRUE(postage.setWeightUnit(state, "stones", ui));
    EXPECT_EQ(state.ShopFields.value("weightunit"), "stones");
    EXPECT_TRUE(state.SettingsModified);
}

} // namespace
} // namespace qs
