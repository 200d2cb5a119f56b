#include "core/settings/CustomFields.h"
#include "ScriptedUserInterface.h"
#include "core/app/AppState.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

TEST(CustomFields, AsksAgainUntilTheNumberFitsAndCancelChangesNothing)
{
    struct Case {
        std::vector<std::optional<std::string>> answers;
        bool set;
        std::string stored;
    };
    const Case cases[] = {
        {{"4"}, true, "4"},
        {{"15", "abc", "4"}, true, "4"},
        {{"-1", "0"}, true, "0"},
        {{std::nullopt}, false, "2"},
        {{"15", std::nullopt}, false, "2"},
        {{"abc"}, true, "0"}, // no whole number yet: the number read last, none
    };
    for (const Case& c : cases) {
        AppState state("/nowhere");
        state.ShopFields.setValue("CustomMax", "2");
        test::ScriptedUserInterface ui;
        ui.inputs.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(CustomFieldsCommand(state, ui), c.set);
        EXPECT_EQ(state.ShopFields.value("CustomMax"), c.stored);
        EXPECT_EQ(state.SettingsModified, c.set);
        EXPECT_TRUE(ui.inputs.empty());
        EXPECT_EQ(ui.said.at(0).text, "Custom Fields / How many custom fields (0-10) do you want displayed?");
    }
}

} // namespace
} // namespace qs
