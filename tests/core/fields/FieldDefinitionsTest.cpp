#include "core/fields/FieldDefinitions.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

using Names = std::vector<std::string>;

Names namesOf(const FieldDefinitions& list)
{
    Names names;
    for (std::size_t i = 0; i < list.count(); ++i)
        names.emplace_back(list.FieldNameAt(static_cast<std::ptrdiff_t>(i)));
    return names;
}

struct BuiltIn {
    const char* name;
    const char* type;
    const char* importance;
    const char* unique;
    const char* extensible;
};

TEST(FieldDefinitions, StartsWithTheFourteenBuiltInsInOrder)
{
    const BuiltIn expected[] = {
        {"Product Name", "Text", "Mandatory", "Yes", "No"},
        {"Weight", "Decimal", "Mandatory", "No", "Yes"},
        {"Price", "Decimal", "Mandatory", "No", "Yes"},
        {"Description", "Text", "Recommended", "No", "No"},
        {"Picture", "Special", "Optional", "No", "No"},
        {"Tax Code", "Text", "Recommended", "No", "No"},
        {"Catalogue Number", "Text", "Optional", "Yes", "No"},
        {"Product Template", "Special", "Optional", "No", "No"},
        {"Category", "Text", "Optional", "No", "No"},
        {"Options", "Special", "Optional", "No", "Yes"},
        {"Type", "Text", "Optional", "No", "Yes"},
        {"Custom Field 1", "Text", "Optional", "No", "No"},
        {"Custom Field 2", "Text", "Optional", "No", "No"},
        {"Custom Field 3", "Text", "Optional", "No", "No"},
    };
    const FieldDefinitions list;
    ASSERT_EQ(list.count(), std::size(expected));
    for (std::size_t i = 0; i < list.count(); ++i) {
        const auto& e = expected[i];
        EXPECT_EQ(list.FieldNameAt(static_cast<std::ptrdiff_t>(i)), e.name);
        EXPECT_EQ(list.FieldIndex(e.name), static_cast<std::ptrdiff_t>(i));
        EXPECT_EQ(list.FieldAttribute(e.name, FieldDefinitions::Type), e.type) << e.name;
        EXPECT_EQ(list.FieldAttribute(e.name, FieldDefinitions::Importance), e.importance) << e.name;
        EXPECT_EQ(list.FieldAttribute(e.name, FieldDefinitions::Unique), e.unique) << e.name;
        EXPECT_EQ(list.FieldAttribute(e.name, FieldDefinitions::Extensible), e.extensible) << e.name;
        EXPECT_EQ(list.FieldAttribute(e.name, 6), "") << e.name;
    }
    EXPECT_EQ(list.FieldAttribute("Weight", FieldDefinitions::Description),
              "The weight of the product, in units you can specify.");
    EXPECT_EQ(list.FieldAttribute("Category", FieldDefinitions::Warning),
              "If you do not specify a category, Quaystall DB will assume you want to use the one currently "
              "selected in the Catalogue Manager.");
    EXPECT_EQ(
        list.FieldAttribute("Picture", FieldDefinitions::Warning),
        "Including pictures of your products can make your site more attractive, but will probably make "
        "it slightly slower to use.");
}

TEST(FieldDefinitions, LoadsEveryLineOfTheFileAsAnEntry)
{
    const std::string weight = R"(Weight=Decimal,Mandatory,"w, in kg","needed",No,No)";
    const struct {
        const char* what;
        std::string text;
    } files[] = {
        {"CR LF", "Price=Decimal\r\n\r\nno equals sign\r\n" + weight + "\r\n"},
        {"LF", "Price=Decimal\n\nno equals sign\n" + weight + "\n"},
        {"CR without a final line end", "Price=Decimal\r\rno equals sign\r" + weight},
    };
    const test::TempFolder folder;
    for (const auto& file : files) {
        FieldDefinitions list;
        EXPECT_TRUE(list.DefinitionsLoad(folder.write("fieldinfo.data", file.text))) << file.what;
        EXPECT_EQ(namesOf(list), (Names{"Price", "", "", "Weight"})) << file.what;
        EXPECT_EQ(list.FieldIndex("weight"), 3) << file.what;
        EXPECT_EQ(list.FieldAttribute("Weight", FieldDefinitions::Description), "w, in kg") << file.what;
        EXPECT_EQ(list.FieldAttribute("Price", FieldDefinitions::Importance), "") << file.what;
        EXPECT_EQ(list.FieldIndex("no equals sign"), -1) << file.what;
    }
}

TEST(FieldDefinitions, AnUnreadableFileKeepsTheBuiltIns)
{
    const test::TempFolder folder;
    for (const std::string& path : {folder.file("fieldinfo.data"), folder.path().string()}) {
        FieldDefinitions list;
        EXPECT_FALSE(list.DefinitionsLoad(path)) << path;
        EXPECT_EQ(list.count(), 14u) << path;
        EXPECT_EQ(list.FieldNameAt(13), "Custom Field 3") << path;
    }
}

TEST(FieldDefinitions, LookupsByNameAndPosition)
{
    FieldDefinitions list;
    list.setLines({
        "Colour=Text,Optional",
        "COLOUR=Special,Mandatory",
        "Size=special,Optional,\"d\",\"w\",No,Yes",
        "Short=Text,Optional,\"d\",\"w\"",
        "Loose=Text,Optional,A plain description,Warn,No",
        "=Text,Mandatory",
        "\xC9tiquette=Text",
    });
    struct Case {
        const char* name;
        std::size_t position;
        const char* expected;
    };
    const Case cases[] = {
        {"colour", FieldDefinitions::Type, "Text"},  // first of two entries answers
        {"Size", FieldDefinitions::Type, "special"}, // not "Special"
        {"Size", FieldDefinitions::Extensible, "Yes"},
        {"Short", FieldDefinitions::Unique, ""}, // only four attributes
        {"Short", FieldDefinitions::Extensible, ""},
        {"Loose", FieldDefinitions::Description, "A"}, // unquoted text splits at blanks
        {"Loose", FieldDefinitions::Unique, "description"},
        {"Loose", FieldDefinitions::Extensible, "Warn"},
        {"", FieldDefinitions::Type, ""},
        {"Unknown", FieldDefinitions::Type, ""},
        {"\xE9tiquette", FieldDefinitions::Type, "Text"}, // case folding of accented letters
    };
    for (const auto& c : cases)
        EXPECT_EQ(list.FieldAttribute(c.name, c.position), c.expected) << c.name << " " << c.position;

    EXPECT_NE(list.FieldAttribute("Size", FieldDefinitions::Type), "Special");
    EXPECT_EQ(list.FieldIndex("COLOUR"), 0);
    EXPECT_EQ(list.FieldIndex("Unknown"), -1);
    EXPECT_EQ(list.FieldIndex("Colou"), -1);
    EXPECT_EQ(list.FieldNameAt(1), "COLOUR");
    EXPECT_EQ(list.FieldNameAt(5), "");
    EXPECT_EQ(list.FieldNameAt(7), "");
    EXPECT_EQ(list.FieldNameAt(1000), "");
    EXPECT_EQ(list.FieldNameAt(-1), "");
}

} // namespace
} // namespace qs
