#include "core/settings/ProductOptions.h"

#include "ScriptedUserInterface.h"
#include "core/app/AppState.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qs {
namespace {

using Texts = std::vector<std::string>;

class ProductOptionsTest : public ::testing::Test {
protected:
    ProductOptionsTest() : state(folder.path().string())
    {
        state.LocCGI = folder.file("cgi");
        state.ShopName = "Demo";
        std::filesystem::create_directories(state.ShopDataDir());
    }

    std::string flavours() const { return state.ShopDataDir() + "/flavours.txt"; }
    void writeFlavours(std::string_view bytes) { folder.write("cgi/Demo-cgi/data/flavours.txt", bytes); }

    test::TempFolder folder;
    AppState state;
    test::ScriptedUserInterface ui;
    ProductOptions options{state, ui};
};

TEST_F(ProductOptionsTest, TicksFollowTheValueAndGiveItBack)
{
    writeFlavours("Size\tS\tM\r\nColour\tRed\r\nGift wrap\r\n");
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"", ""}, {"0|2", "0|2"}, {"2|0", "0|2"}, {"1||1|", "1"}, {"+1", "1"}};
    for (const auto& [value, back] : cases) {
        ASSERT_TRUE(options.open(value)) << value;
        EXPECT_EQ(options.value(), back) << value;
    }
    ASSERT_TRUE(options.open("1"));
    options.setTicked(0, true);
    options.setTicked(1, false);
    options.setTicked(7, true);
    EXPECT_EQ(options.confirm(), "0");
    EXPECT_TRUE(ui.said.empty());
}

TEST_F(ProductOptionsTest, AValueNamingNoOptionIsRefusedAndTheDialogDoesNotOpen)
{
    writeFlavours("Size\r\nColour\r\n");
    const std::pair<std::string_view, std::string> cases[] = {
        {"x", "'x' is not a valid integer value"},
        {"0| 1", "' 1' is not a valid integer value"},
        {"1|2", "'2' is not the number of an option in the variations file."},
        {"-1", "'-1' is not the number of an option in the variations file."},
    };
    for (const auto& [value, message] : cases) {
        ui.said.clear();
        EXPECT_FALSE(options.open(value)) << value;
        EXPECT_EQ(ui.texts(), Texts{message}) << value;
    }
}

TEST_F(ProductOptionsTest, WithoutAFileTheTableStartsEmptyAndOkCreatesIt)
{
    ASSERT_TRUE(options.open(""));
    EXPECT_EQ(ui.texts(), Texts{"You do not have a variations file."});
    ui.inputs = {std::string("Size")};
    EXPECT_TRUE(options.addOption());
    EXPECT_EQ(options.confirm(), "");
    EXPECT_EQ(folder.read("cgi/Demo-cgi/data/flavours.txt"), "Size\r\n");

    // A shop without a file does not see the options of the one opened before.
    state.ShopName = "Other";
    std::filesystem::create_directories(state.ShopDataDir());
    ASSERT_TRUE(options.open(""));
    EXPECT_TRUE(options.options().empty());
}

TEST_F(ProductOptionsTest, AFileThatIsThereButUnreadableIsNeverReplaced)
{
    std::filesystem::create_directories(flavours());
    EXPECT_FALSE(options.open(""));
    EXPECT_EQ(ui.texts(), Texts{"Cannot open file " + flavours() + ": Is a directory"});
}

TEST_F(ProductOptionsTest, EditingOptionsAndVariationsReachesTheFile)
{
    writeFlavours("Size\tS\tM\tL\r\n\r\nColour\tRed\r\nStyle\r\n");
    ASSERT_TRUE(options.open("1|2"));
    ui.inputs = {std::string("Fit"),     std::string("Slim"), std::string("Shade"), std::string("XL"),
                 std::string("Crimson"), std::nullopt,        std::string("")};
    ui.answers = {Answer::Yes, Answer::No, Answer::Yes};
    EXPECT_TRUE(options.addOption());            // Fit
    EXPECT_TRUE(options.addVariation(3));        // Fit: Slim
    EXPECT_TRUE(options.editOption(1));          // Colour becomes Shade
    EXPECT_TRUE(options.addVariation(0));        // Size: XL
    EXPECT_TRUE(options.editVariation(1, 0));    // Red becomes Crimson
    EXPECT_FALSE(options.addOption());           // cancelled
    EXPECT_FALSE(options.editOption(0));         // empty answer
    EXPECT_TRUE(options.deleteOption(0));        // Yes: Size goes, the rest move up
    EXPECT_FALSE(options.deleteVariation(0, 0)); // No: Crimson stays
    EXPECT_TRUE(options.deleteVariation(2, 0));  // Yes: Slim goes
    EXPECT_FALSE(options.editOption(-1));        // nothing selected
    EXPECT_FALSE(options.addVariation(9));

    EXPECT_EQ(options.confirm(), "0|1");
    EXPECT_EQ(folder.read("cgi/Demo-cgi/data/flavours.txt"), "Shade\tCrimson\r\nStyle\r\nFit\r\n");
    EXPECT_EQ(ui.texts(),
              (Texts{"New Option / Enter the name of the new option:-",
                     "New Variation / Enter the name of the new variation:-",
                     "Edit Option / Enter the new name for this option:-",
                     "New Variation / Enter the name of the new variation:-",
                     "Edit Option / Enter the new name for this option:-",
                     "New Option / Enter the name of the new option:-",
                     "Edit Option / Enter the new name for this option:-",
                     std::string(ProductOptions::deleteOptionQuestion), "Delete Crimson?", "Delete Slim?"}));
}

TEST_F(ProductOptionsTest, TabsAndLineBreaksInANameAreRefused)
{
    writeFlavours("Size\tS\r\n");
    ASSERT_TRUE(options.open(""));
    for (const char* name : {"Gift\twrap", "Gift\nwrap", "Gift\rwrap"}) {
        ui.said.clear();
        ui.inputs = {std::string(name), std::string(name)};
        EXPECT_FALSE(options.addOption());
        EXPECT_FALSE(options.editVariation(0, 0));
        EXPECT_EQ(ui.texts().at(1), ProductOptions::separatorRefusal);
        EXPECT_EQ(ui.texts().at(3), ProductOptions::separatorRefusal);
    }
    EXPECT_EQ(options.options(), (OptionTable{{"Size", {"S"}}}));
}

TEST_F(ProductOptionsTest, MovingAVariationSwapsItWithItsNeighbourAndMarksTheCatalogue)
{
    writeFlavours("Size\tS\tM\tL\r\n");
    ASSERT_TRUE(options.open(""));
    struct Case {
        int variation, step, now;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        {2, -1, 1, {"S", "L", "M"}}, {0, -1, 0, {"S", "L", "M"}},  {2, 1, 2, {"S", "L", "M"}},
        {0, 1, 1, {"L", "S", "M"}},  {-1, 1, -1, {"L", "S", "M"}},
    };
    for (const Case& c : cases) {
        state.SettingsModified = false;
        EXPECT_EQ(options.moveVariation(0, c.variation, c.step), c.now) << c.variation << c.step;
        EXPECT_EQ(options.options()[0].variations, c.order) << c.variation << c.step;
        EXPECT_TRUE(state.CatalogueModified());
    }
}

TEST_F(ProductOptionsTest, AFileThatCannotBeWrittenIsToldAndGivesNoValue)
{
    writeFlavours("Size\r\n");
    ASSERT_TRUE(options.open("0"));
    std::filesystem::remove_all(state.ShopDataDir());
    EXPECT_EQ(options.confirm(), std::nullopt);
    EXPECT_EQ(ui.texts(), Texts{"Cannot create file " + flavours() + ": No such file or directory"});
}

} // namespace
} // namespace qs
