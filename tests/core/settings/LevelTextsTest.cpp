#include "core/settings/LevelTexts.h"
#include "ScriptedUserInterface.h"
#include "core/settings/ShopSettings.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

using test::ScriptedUserInterface;

TEST(LevelTextsTest, ShowsTheCatalogueDepthAndKeepsDeeperTexts)
{
    struct Case {
        const char* stored;
        int depth;
        std::size_t levels;
        const char* kept; // once the first level reads "x"
    };
    const Case cases[] = {{"a\tb\tc\td\te", 3, 3, "x\tb\tc\td\te"},
                          {"a\tb\tc\t\t", 3, 3, "x\tb\tc"},
                          {"", 3, 3, "x\t\t"},
                          {"y", 0, 1, "x"},
                          {"", 1, 1, "x"}};
    ScriptedUserInterface ui;
    for (const Case& c : cases) {
        ShopSettings settings;
        settings.setValue("levtext", c.stored);
        LevelTexts texts;
        texts.fill(settings, c.depth);
        EXPECT_EQ(texts.levelCount(), c.levels) << c.stored;
        // Closed as shown: the setting stays as it was, byte for byte.
        texts.storeTexts(settings);
        EXPECT_EQ(settings.value("levtext"), c.stored);
        EXPECT_EQ(settings.contains("levtext"), *c.stored != '\0');
        ASSERT_TRUE(texts.store("x", ui));
        texts.storeTexts(settings);
        EXPECT_EQ(settings.value("levtext"), c.kept) << c.stored;
    }
}

TEST(LevelTextsTest, MovesBetweenLevelsStoringEachText)
{
    ShopSettings settings;
    settings.setValue("levtext", "\tTwo<br>lines\t");
    LevelTexts texts;
    texts.fill(settings, 3);
    ScriptedUserInterface ui;
    EXPECT_FALSE(texts.hasPrevious());
    EXPECT_EQ(texts.heading(), "Level Text for Navigation Level 1");
    ASSERT_TRUE(texts.store("Top\r\nlevel\nhere\rnow", ui));
    texts.next();
    EXPECT_EQ(texts.text(), "Two\nlines");
    texts.next();
    EXPECT_FALSE(texts.hasNext());
    EXPECT_EQ(texts.heading(), "Level Text for Navigation Level 3");
    EXPECT_FALSE(texts.store("a\tb", ui));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"A level text cannot contain a tab."});
    texts.storeTexts(settings);
    EXPECT_EQ(settings.value("levtext"), "Top<br>level<br>here<br>now\tTwo<br>lines\t");

    // The level shown last stays while it is shown; beyond the levels, the first is.
    texts.fill(settings, 3);
    EXPECT_EQ(texts.currentLevel(), 2u);
    texts.fill(settings, 2);
    EXPECT_EQ(texts.currentLevel(), 0u);
    EXPECT_TRUE(texts.acceptEntries(settings, "4", ui));
    EXPECT_EQ(settings.value("opt_radio_entries"), "4");
    EXPECT_TRUE(texts.acceptEntries(settings, "", ui));
    EXPECT_FALSE(settings.contains("opt_radio_entries"));
}

} // namespace
} // namespace qs
