#include "TempFolder.h"
#include "core/text/ReadFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace qs {
namespace {

namespace fs = std::filesystem;

// A spreadsheet's export as a merchant brings it: UTF-8 with a mark, a
// heading row, quoted commas, a description over two lines, prices with a
// currency sign, two category columns.
const std::string stockCsv = "\xEF\xBB\xBFName,Price,Weight,Description,Category,Sub-category,VAT\r\n"
                             "Racer,\xC2\xA3"
                             "12.50,0.4,\"Fast,\r\nand red\",Toys,Cars,1\r\n"
                             "\"Spade, small\",\"\xC2\xA3"
                             "1,250.00\",2,,Garden,Tools,1\r\n"
                             "Kite,9,0.2,High,Toys,,2\r\n";
const std::string stockSff = "\tProduct Name\tPrice\tWeight\tDescription\tCategory\tCategory\tTax Code\r\n";

// quaystall-cli import into a shop made from a fresh copy of the installation.
class ImportTableCommandTest : public ::testing::Test {
protected:
    struct Outcome {
        int status;
        std::string out;
        std::string err;
    };

    ImportTableCommandTest()
    {
        fs::copy(QUAYSTALL_SHARE_PROGRAM, folder.file("program"), fs::copy_options::recursive);
        EXPECT_EQ(cli({"new-shop", "Demo"}).status, 0);
        folder.write("stock.csv", stockCsv);
        folder.write("stock.sff", stockSff);
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

    std::string shopData() const
    {
        const std::string path = folder.file("program/Apache/cgi-bin/qstldb/Demo-cgi/data/shop.data");
        return fs::exists(path) ? readFileBytes(path) : std::string();
    }

    test::TempFolder folder;
};

TEST_F(ImportTableCommandTest, MergesTheTableSavesAndPrintsTwoLines)
{
    const Outcome run = cli({"import", "Demo", folder.file("stock.csv"), "--skip-rows", "1"});
    EXPECT_EQ(run.err, "");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "products added: 3\nrows suppressed: 1\n");
    const std::string data = shopData();
    for (const char* line :
         {"0::Toys|Cars|Racer::::::::::::::12.50::::::::::0.4::::::::::Fast,<br>and red::::::1::\r\n",
          "1::Garden|Tools|Spade, small::::::::::::::1250.00::::::::::2::::::::::::::::1::\r\n",
          "2::Toys|Kite::::::::::::::9::::::::::0.2::::::::::High::::::2::\r\n"})
        EXPECT_NE(data.find(line), std::string::npos) << line << data;

    // Into a category, rows with an empty cell ignored.
    const Outcome into = cli({"import", "Demo", folder.file("stock.csv"), "--skip-rows", "1", "--category",
                              "Garden", "--empty", "ignore"});
    EXPECT_EQ(into.status, 0) << into.err;
    EXPECT_EQ(into.out, "products added: 1\nrows suppressed: 3\n");
    EXPECT_NE(shopData().find("::Garden|Toys|Cars|Racer::"), std::string::npos) << shopData();
}

TEST_F(ImportTableCommandTest, FailuresTellWhyAndSaveNothing)
{
    ASSERT_EQ(cli({"import", "Demo", folder.file("stock.csv"), "--skip-rows", "1"}).status, 0);
    const std::string saved = shopData();

    folder.write("stock.sff", "\tProduct Name\tPrice\r\n");
    const Outcome missing = cli({"import", "Demo", folder.file("stock.csv")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err,
              "You have not defined a column for the 'Weight' field. This field is set to 'Mandatory' "
              "for the following reason:-\n\nThe weight of each product is required by the system to "
              "calculate shipping costs.\n");

    folder.write("other.txt", "a\tb\r\n");
    const std::pair<std::vector<std::string>, std::string> failures[] = {
        {{"import", "Demo", folder.file("other.txt")},
         "The table has no column assignment file " + folder.file("other.sff") +
             ": assign its columns in the importer window first.\n"},
        {{"import", "Demo", folder.file("stock.csv"), "--allow-missing", "--category", "Toys|Boats"},
         "There is no category Toys|Boats in the catalogue.\n"},
        {{"import", "Nowhere", folder.file("stock.csv")}, "Sorry! This shop seems to be missing.\n"},
    };
    for (const auto& [arguments, message] : failures) {
        const Outcome run = cli(arguments);
        EXPECT_EQ(run.status, 1) << arguments[2];
        EXPECT_EQ(run.err, message) << arguments[2];
    }
    EXPECT_EQ(cli({"import", "Demo", folder.file("stock.csv"), "--empty", "maybe"}).status, 1);
    EXPECT_EQ(shopData(), saved);

    // Fields without a column left blank: the heading row now adds a product too.
    const Outcome allowed = cli({"import", "Demo", folder.file("stock.csv"), "--allow-missing"});
    EXPECT_EQ(allowed.status, 0) << allowed.err;
    EXPECT_EQ(allowed.out, "products added: 4\nrows suppressed: 0\n");
}

// Each byte of a text in ASCII and Latin-1 as the UTF-16 unit of its character.
std::string utf16(std::string_view text, bool bigEndian)
{
    std::string wide;
    for (const char c : text) {
        wide.push_back(bigEndian ? '\0' : c);
        wide.push_back(bigEndian ? c : '\0');
    }
    return wide;
}

TEST_F(ImportTableCommandTest, AQuoteNeverClosedFailsAndSavesNothing)
{
    const std::string before = shopData();
    folder.write("stock.csv", "Name,Price,Weight,Description,Category,Sub-category,VAT\r\n"
                              "Racer,12.50,0.4,\"Fast\r\n"
                              "Kite,9,0.2,High,Toys,,2\r\n");
    const Outcome run = cli({"import", "Demo", folder.file("stock.csv"), "--skip-rows", "1"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "The quoted cell in row 2, column 4 has no closing quote, so it holds the rest of the "
                       "table. Nothing has been imported.\n");
    EXPECT_EQ(shopData(), before);
}

TEST_F(ImportTableCommandTest, AUtf16TableWithoutAMarkIsConvertedAndNoNulReachesTheShop)
{
    for (const bool bigEndian : {false, true}) {
        const std::string name = bigEndian ? "Racer BE" : "Racer LE";
        folder.write("stock.csv", utf16("Name,Price,Weight,Description,Category,Sub-category,VAT\r\n" + name +
                                            ",\xA3"
                                            "12.50,0.4,Fast,Toys,Cars,1\r\n",
                                        bigEndian));
        const Outcome run = cli({"import", "Demo", folder.file("stock.csv"), "--skip-rows", "1"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, "products added: 1\nrows suppressed: 1\n");
        const std::string data = shopData();
        EXPECT_EQ(data.find('\0'), std::string::npos);
        EXPECT_NE(data.find("::Toys|Cars|" + name + "::::::::::::::12.50::"), std::string::npos) << data;
    }
}

} // namespace
} // namespace qs
