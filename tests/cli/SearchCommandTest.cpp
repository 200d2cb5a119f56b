#include "TempFolder.h"
#include "core/text/AtomicFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace qs {
namespace {

namespace fs = std::filesystem;

// quaystall-cli search on a shop made from a fresh copy of the installation.
class SearchCommandTest : public ::testing::Test {
protected:
    struct Outcome {
        int status;
        std::string out;
        std::string err;
    };

    SearchCommandTest()
    {
        fs::copy(QUAYSTALL_SHARE_PROGRAM, folder.file("program"), fs::copy_options::recursive);
        EXPECT_EQ(cli({"new-shop", "Demo"}).status, 0);
    }

    Outcome cli(const std::vector<std::string>& arguments)
    {
        std::string command = "cd '" + folder.file("program") + "' && '" QUAYSTALL_CLI "'";
        for (const std::string& argument : arguments)
            command += " '" + argument + "'";
        command += " >'" + folder.file("out") + "' 2>'" + folder.file("err") + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, folder.read("out"), folder.read("err")};
    }

    void writeCatalogue(std::string_view lines)
    {
        writeFileAtomically(folder.file("program/Apache/cgi-bin/qstldb/Demo-cgi/data/shop.data"), lines);
    }

    test::TempFolder folder;
};

TEST_F(SearchCommandTest, PrintsTheNamesFoundInTheOrderOfTheResultsWindow)
{
    writeCatalogue("0::Clothes|Size 100 Shirt::\r\n1::Clothes|Sale|SHIRT::\r\n2::Clothes|Size 9 Shirt::\r\n"
                   "3::Cups|Caf\xE9 Mug::\r\n4::Cups|Item 1::\r\n5::Cups|Item A::\r\n");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"search", "Demo", "shirt"}, "SHIRT\nSize 9 Shirt\nSize 100 Shirt\n"},
        {{"search", "Demo", "caf\xC3\xA9"}, "Caf\xC3\xA9 Mug\n"},
        {{"search", "Demo"}, "Caf\xC3\xA9 Mug\nItem A\nItem 1\nSHIRT\nSize 9 Shirt\nSize 100 Shirt\n"},
        {{"search", "Demo", "CAF\xC3\x89"}, ""},
        {{"search", "Demo", "teapot"}, ""},
    };
    for (const auto& [arguments, names] : cases) {
        const Outcome run = cli(arguments);
        EXPECT_EQ(run.status, 0) << arguments.back();
        EXPECT_EQ(run.out, names) << arguments.back();
        EXPECT_EQ(run.err, "") << arguments.back();
    }
}

TEST_F(SearchCommandTest, AnEmptyCatalogueFindsNothingAndAMissingShopFails)
{
    EXPECT_EQ(cli({"search", "Demo"}).out, "");
    EXPECT_EQ(cli({"search", "Demo"}).status, 0);
    const Outcome missing = cli({"search", "Other", "tea"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Sorry! This shop seems to be missing.\n");
    // Text the catalogue cannot hold is refused, never searched for in another form.
    const Outcome unholdable = cli({"search", "Demo", "\xC5\x81\xC3\xB3\x64\xC5\xBA"}); // Łódź
    EXPECT_EQ(unholdable.status, 1);
    EXPECT_EQ(unholdable.err,
              "The character U+0141 (LATIN CAPITAL LETTER L WITH STROKE) has no place in "
              "Windows-1252, the character set of the catalogue, so the text cannot be stored.\n");
}

} // namespace
} // namespace qs
