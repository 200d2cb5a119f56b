#include "core/settings/SearchFields.h"
#include "ScriptedUserInterface.h"
#include "core/fields/FieldDefinitions.h"
#include "core/settings/ShopSettings.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

using test::ScriptedUserInterface;

TEST(SearchFieldsTest, OffersTheDefinedFieldsThatAreCatalogueColumns)
{
    FieldDefinitions fields;
    fields.setLines({"Product Name=Text", "price=Text", "Colour=Text", "Weight=Text"});
    ShopSettings settings;
    SearchFields search;
    ScriptedUserInterface ui;
    ASSERT_TRUE(search.fill(settings, fields, ui));
    EXPECT_EQ(search.offered, (std::vector<std::string>{"price", "Weight"}));
    EXPECT_TRUE(search.chosen.empty());
}

TEST(SearchFieldsTest, ReadsEveryEntryItCanAndRefusesTheRest)
{
    const FieldDefinitions fields;
    struct Case {
        const char* stored;
        std::vector<SearchFields::Choice> chosen;
        const char* message;
    };
    const Case cases[] = {
        {"13:Weight,8:Cost", {{13, "Weight", "Weight"}, {8, "Price", "Cost"}}, nullptr},
        {"18:A:B,,18:Again,13", {{18, "Description", "A"}, {13, "Weight", "Weight"}}, nullptr},
        {"8:", {{8, "Price", ""}}, nullptr},
        {"x:Cost", {}, "'x' is not a valid integer value"},
        {"23:Far", {}, "'23' is not a valid field number"},
        {"-1:Neg", {}, "'-1' is not a valid field number"}};
    for (const Case& c : cases) {
        ShopSettings settings;
        settings.setValue("searchfields", c.stored);
        SearchFields search;
        ScriptedUserInterface ui;
        EXPECT_EQ(search.fill(settings, fields, ui), c.message == nullptr) << c.stored;
        if (c.message)
            EXPECT_EQ(ui.texts(), std::vector<std::string>{c.message});
        else
            EXPECT_EQ(search.chosen, c.chosen) << c.stored;
    }
}

TEST(SearchFieldsTest, EditsAndStoresTheChoices)
{
    SearchFields search;
    ScriptedUserInterface ui;
    EXPECT_EQ(search.add("Weight"), std::optional<std::size_t>(0));
    EXPECT_EQ(search.add("Price"), std::optional<std::size_t>(1));
    EXPECT_FALSE(search.add("weight"));
    EXPECT_FALSE(search.add("Colour"));
    ASSERT_TRUE(search.changeLabel(1, "Cost", ui));
    for (const char* label : {"a,b", "a:b", "a\tb", "a\nb"})
        EXPECT_FALSE(search.changeLabel(1, label, ui)) << label;
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{
                              "A label cannot contain \",\".", "A label cannot contain \":\".",
                              "A label cannot contain a tab.", "A label cannot contain a line break."}));
    EXPECT_FALSE(search.move(0, -1));
    EXPECT_FALSE(search.move(1, 1));
    EXPECT_EQ(search.move(1, -1), std::optional<std::size_t>(0));
    ShopSettings settings;
    search.accept(settings);
    EXPECT_EQ(settings.value("searchfields"), "8:Cost,13:Weight");

    // Deleted and added again, a field gets its name back as its label.
    search.remove(0);
    EXPECT_EQ(search.add("Price"), std::optional<std::size_t>(1));
    search.accept(settings);
    EXPECT_EQ(settings.value("searchfields"), "13:Weight,8:Price");
    search.remove(0);
    search.remove(0);
    search.accept(settings);
    EXPECT_FALSE(settings.contains("searchfields"));
}

} // namespace
} // namespace qs
