#include "core/text/NameValueList.h"
#include "TempFolder.h"
#include "core/text/FileError.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

using Lines = std::vector<std::string>;

struct LookupCase {
    const char* what;
    Lines lines;
    std::string name;
    std::string expected;
};

TEST(NameValueList, LooksUpTheFirstMatchingLineWithoutRegardToCase)
{
    const LookupCase cases[] = {
        {"exact name", {"a=1", "b=2"}, "b", "2"},
        {"other case", {"LocCGI=/srv/cgi"}, "loccgi", "/srv/cgi"},
        {"accented capital against small", {"\xC9T\xC9=summer"}, "\xE9t\xE9", "summer"},
        {"S caron and Y diaeresis", {"\x8A\x9F=x"}, "\x9A\xFF", "x"},
        {"first of two lines wins", {"Key=first", "KEY=second"}, "key", "first"},
        {"value is all after the first =", {"url=a=b=c"}, "url", "a=b=c"},
        {"empty value present", {"AUTH="}, "AUTH", ""},
        {"line without = never matches", {"Price", "Price=9"}, "Price", "9"},
        {"line without = is not a name", {"Price"}, "Price", ""},
        {"absent name", {"a=1"}, "b", ""},
        {"prefix is not a match", {"Custom Field 10=x"}, "Custom Field 1", ""},
        {"name with blanks", {"Product Name=Tea"}, "product name", "Tea"},
        {"empty name matches a line starting with =", {"=v"}, "", "v"},
        {"a name holding = is no line's name", {"a=b=c", "a=b=d"}, "a=b", ""},
        {"name as long as the line", {"Tax", "Tax=1"}, "Tax", "1"},
        {"name longer than the line", {"Ta"}, "Tax", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameValueList(c.lines).value(c.name), c.expected) << c.what;
}

struct SetCase {
    const char* what;
    Lines before;
    std::string name;
    std::string value;
    Lines after;
};

TEST(NameValueList, SettingReplacesAppendsOrRemoves)
{
    const SetCase cases[] = {
        {"replaces in place", {"a=1", "b=2", "c=3"}, "b", "20", {"a=1", "b=20", "c=3"}},
        {"replaces only the first", {"a=1", "A=2"}, "a", "9", {"a=9", "A=2"}},
        {"new name appended", {"a=1"}, "z", "26", {"a=1", "z=26"}},
        {"empty value removes the line", {"a=1", "b=2", "c=3"}, "B", "", {"a=1", "c=3"}},
        {"empty value of an absent name changes nothing", {"a=1"}, "b", "", {"a=1"}},
        {"empty value removes every line of the name", {"a=", "b=2", "A=1"}, "a", "", {"b=2"}},
        {"line without = is kept and not replaced", {"a"}, "a", "1", {"a", "a=1"}},
        {"value may hold =", {}, "url", "x=y", {"url=x=y"}},
    };
    for (const auto& c : cases) {
        NameValueList list(c.before);
        list.setValue(c.name, c.value);
        EXPECT_EQ(list.lines(), c.after) << c.what;
    }
}

TEST(NameValueList, EmptyValueAndAbsentNameAreTheSame)
{
    NameValueList list({"Price=9"});
    list.setValue("Price", "");
    EXPECT_EQ(list.value("Price"), "");
    EXPECT_FALSE(list.contains("Price"));
    EXPECT_TRUE(list.empty());
}

struct ReadCase {
    const char* what;
    std::string text;
    Lines lines;
};

TEST(NameValueList, ReadsEveryKindOfLineEnd)
{
    const ReadCase cases[] = {
        {"CR LF", "a=1\r\nb=2\r\n", {"a=1", "b=2"}},
        {"LF", "a=1\nb=2\n", {"a=1", "b=2"}},
        {"CR", "a=1\rb=2\r", {"a=1", "b=2"}},
        {"mixed", "a=1\r\nb=2\nc=3\rd=4", {"a=1", "b=2", "c=3", "d=4"}},
        {"no final line end", "a=1\r\nb=2", {"a=1", "b=2"}},
        {"empty lines in the middle", "a=1\r\n\r\n\nb=2\r\n", {"a=1", "", "", "b=2"}},
        {"LF CR is two line ends", "a=1\n\rb=2", {"a=1", "", "b=2"}},
        {"empty text", "", {}},
        {"only a line end", "\r\n", {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameValueList::fromText(c.text).lines(), c.lines) << c.what;
}

TEST(NameValueList, WritesEveryLineWithCrLf)
{
    NameValueList list;
    list.setValue("LocCGI", "/srv/cgi");
    list.setValue("LocImg", "/srv/img");
    EXPECT_EQ(list.toText(), "LocCGI=/srv/cgi\r\nLocImg=/srv/img\r\n");
    EXPECT_EQ(NameValueList().toText(), "");
}

TEST(NameValueList, FileRoundTripKeepsEveryLineByteForByte)
{
    const test::TempFolder folder;
    const std::string text = "AUTH=\r\nshop_name=Caf\xE9\r\nnot a setting\r\n\r\nPATH=a=b\r\n";
    const auto list = NameValueList::fromFile(folder.write("in.cfg", text));
    EXPECT_EQ(list.value("shop_name"), "Caf\xE9");
    list.saveToFile(folder.file("out.cfg"));
    EXPECT_EQ(folder.read("out.cfg"), text);
}

TEST(NameValueList, MissingFileIsAFileErrorNamingIt)
{
    const test::TempFolder folder;
    const std::string path = folder.file("absent.cfg");
    try {
        NameValueList::fromFile(path);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + path + ": No such file or directory");
    }
}

} // namespace
} // namespace qs
