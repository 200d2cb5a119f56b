#include "TempFolder.h"
#include "Undeletable.h"
#include "core/publish/HostDenyRules.h"
#include "core/text/AtomicFile.h"
#include "core/text/LineSplitter.h"
#include "core/text/NameValueList.h"
#include "core/text/ReadFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace qs {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& text)
{
    std::string result = "'";
    for (const char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// The installation's program folder, copied fresh for each test: the command
// line works on it as a first start of the desktop program would.
class QuaystallCliTest : public ::testing::Test {
protected:
    QuaystallCliTest() { fs::copy(QUAYSTALL_SHARE_PROGRAM, program(), fs::copy_options::recursive); }

    std::string program() const { return folder.file("program"); }
    std::string cgi(const std::string& path = "") const
    {
        return program() + "/Apache/cgi-bin/qstldb/" + path;
    }
    std::string images(const std::string& path = "") const
    {
        return program() + "/Apache/htdocs/images/" + path;
    }

    // Runs quaystall-cli in a working folder (the program folder by default).
    Outcome cli(const std::vector<std::string>& arguments, const std::string& workingFolder = "")
    {
        std::string command = "cd " + quoted(workingFolder.empty() ? program() : workingFolder) + " && " +
                              quoted(QUAYSTALL_CLI);
        for (const std::string& argument : arguments)
            command += " " + quoted(argument);
        command += " >" + quoted(folder.file("out")) + " 2>" + quoted(folder.file("err"));
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, folder.read("out"), folder.read("err")};
    }

    static std::vector<std::string> lines(const std::string& text)
    {
        std::vector<std::string> result;
        forEachLine(text, [&](std::string_view line) { result.emplace_back(line); });
        std::sort(result.begin(), result.end());
        return result;
    }

    static std::vector<std::string> filesIn(const std::string& path)
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path))
            if (entry.is_regular_file())
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // A script as the shop gets it: CR LF line ends, the "#!" line set to the
    // Perl path and ended by a line feed alone.
    static std::string asCopied(const std::string& master, const std::string& perlPath)
    {
        std::string copy;
        forEachLine(master, [&](std::string_view line) {
            const bool interpreter = copy.empty() && line.starts_with("#!");
            copy.append(interpreter ? "#!" + perlPath + "\n" : std::string(line) + "\r\n");
        });
        return copy.empty() ? "\r\n" : copy;
    }

    TempFolder folder;
};

TEST_F(QuaystallCliTest, AnswersVersionAndHelpAndRefusesNoCommand)
{
    const Outcome version = cli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Quaystall DB v1.09\n");
    const Outcome help = cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("delete-shop"), std::string::npos);
    EXPECT_NE(help.out.find("--program-dir"), std::string::npos);
    EXPECT_EQ(cli({}).status, 1);
    EXPECT_EQ(cli({"no-such-command"}).status, 1);
}

TEST_F(QuaystallCliTest, NewShopOnAFreshProgramFolderCreatesTheCompleteShop)
{
    const Outcome run = cli({"new-shop", "Demo-1"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(fs::is_directory(program() + "/shops/Demo-1"));

    const std::string shop = cgi("Demo-1-cgi/");
    std::vector<std::string> expected = lines(readFileBytes(cgi("AllCGIFiles.txt")));
    ASSERT_FALSE(expected.empty());
    for (const std::string& name : expected)
        EXPECT_EQ(readFileBytes(shop + name), asCopied(readFileBytes(cgi(name)), "/usr/bin/perl")) << name;
    expected.insert(expected.end(), {"location.cfg", "qstl2.cfg", "scripts-version.txt"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(filesIn(shop), expected);

    EXPECT_EQ(readFileBytes(shop + "qstl2.cfg"),
              "company=Shopping Online\r\nsales_email=\r\nbasecurrency=gbp\r\ncurrency=gbp\r\ntmpdir=/tmp\r\n"
              "PATH=data\r\nowner_email=\r\nMAX_CATEGORY_DEPTH=3\r\nAUTH=\r\nPPID=\r\nIMAGEPATH=/images\r\n"
              "CGIPATH=/cgi-bin/Demo-1-cgi\r\nmailprogram=/usr/bin/sendmail\r\n");
    const std::string root = fs::canonical(program()).string();
    EXPECT_EQ(readFileBytes(shop + "location.cfg"),
              "LocCGI=" + root + "/Apache/cgi-bin/qstldb\r\nLocImg=" + root +
                  "/Apache/htdocs/images/Demo-1-images\r\nLocImgURL=/images/Demo-1-images\r\n"
                  "LocPerlPath=/usr/bin/perl\r\nRemCGI=/cgi-bin\r\nRemData=data\r\n"
                  "RemImgURL=/images/Demo-1-images\r\nRemPerlPath=/usr/bin/perl\r\nStartup=0\r\n");
    // The program-wide file keeps the values of no shop.
    EXPECT_EQ(
        readFileBytes(program() + "/location.cfg"),
        "LocCGI=" + root + "/Apache/cgi-bin/qstldb\r\nLocImg=" + root +
            "/Apache/htdocs/images\r\nLocImgURL=/images\r\nLocPerlPath=/usr/bin/perl\r\nRemCGI=/cgi-bin\r\n"
            "RemData=data\r\nRemImgURL=/images\r\nRemPerlPath=/usr/bin/perl\r\nStartup=0\r\n");

    ASSERT_EQ(filesIn(shop + "data"), filesIn(cgi("data")));
    for (const std::string& name : filesIn(cgi("data")))
        EXPECT_EQ(readFileBytes(shop + "data/" + name), readFileBytes(cgi("data/" + name))) << name;
    ASSERT_EQ(filesIn(images("Demo-1-images")), filesIn(images()));
    for (const std::string& name : filesIn(images()))
        EXPECT_EQ(readFileBytes(images("Demo-1-images/" + name)), readFileBytes(images(name))) << name;
}

TEST_F(QuaystallCliTest, RefusedShopNamesGiveTheMessageAndExitStatusOne)
{
    const std::string bad =
        "Your shop name must consist only of alphanumeric characters. Spaces and underscores "
        "are not allowed.\n";
    ASSERT_EQ(cli({"new-shop", "Demo"}).status, 0);
    const std::pair<std::string, std::string> cases[] = {
        {"my shop", bad.substr(0, bad.size() - 1) + " A name that would work: \"my-shop\".\n"},
        {"my_shop", bad.substr(0, bad.size() - 1) + " A name that would work: \"my-shop\".\n"},
        {"Caf\xC3\xA9", bad},
        {"\xC5\x81odz", // Łodz
         "The character U+0141 (LATIN CAPITAL LETTER L WITH "
         "STROKE) has no place in Windows-1252, the character "
         "set of the catalogue, so the text cannot be stored.\n"},
        {"Demo", "A shop of this name already exists.\n"},
        {"", "A shop of this name already exists.\n"}};
    for (const auto& [name, message] : cases) {
        const Outcome run = cli({"new-shop", name});
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_EQ(run.err, message) << name;
    }
    EXPECT_EQ(lines(cli({"shops"}).out), std::vector<std::string>{"Demo"});
}

TEST_F(QuaystallCliTest, ListsTheShopsInUtf8FromAnyWorkingFolder)
{
    fs::create_directories(program() + "/shops/Books");
    fs::create_directories(program() + "/shops/Caf\xE9");
    const Outcome run = cli({"--program-dir", program(), "shops"}, folder.path().string());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(lines(run.out), (std::vector<std::string>{"Books", "Caf\xC3\xA9"}));
    EXPECT_TRUE(fs::exists(program() + "/location.cfg"));
    EXPECT_FALSE(fs::exists(folder.file("location.cfg")));
}

TEST_F(QuaystallCliTest, DeleteShopWantsYesAndRemovesTheThreeFolders)
{
    ASSERT_EQ(cli({"new-shop", "Demo"}).status, 0);
    const Outcome unconfirmed = cli({"delete-shop", "Demo"});
    EXPECT_EQ(unconfirmed.status, 1);
    EXPECT_NE(unconfirmed.err.find("--yes"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(cgi("Demo-cgi")));

    const Outcome unknown = cli({"delete-shop", "Other", "--yes"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err, "Sorry! This shop seems to be missing.\n");

    const Outcome run = cli({"delete-shop", "Demo", "--yes"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "Shop successfully deleted.\n");
    EXPECT_FALSE(fs::exists(program() + "/shops/Demo"));
    EXPECT_FALSE(fs::exists(cgi("Demo-cgi")));
    EXPECT_FALSE(fs::exists(images("Demo-images")));
    EXPECT_TRUE(fs::exists(images("logo.gif")));
}

TEST_F(QuaystallCliTest, AnIncompleteDeletionFails)
{
    ASSERT_EQ(cli({"new-shop", "Demo"}).status, 0);
    folder.write("program/shops/Demo/stuck", "");
    test::Undeletable guard(program() + "/shops/Demo");
    if (!guard.available())
        GTEST_SKIP() << "no way to make a file undeletable here";
    const Outcome run = cli({"delete-shop", "Demo", "--yes"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Could not delete all the directories. Sorry.\n");
    EXPECT_TRUE(fs::is_directory(cgi("Demo-cgi")));
}

TEST_F(QuaystallCliTest, OutsideAProgramFolderTheUsersOwnIsMadeFromTheMasterCopy)
{
    // As from a desktop menu: the home folder as the working folder, no XDG_DATA_HOME.
    const std::string home = folder.file("home");
    fs::create_directories(home);
    const std::string command = "cd " + quoted(home) + " && env -u XDG_DATA_HOME HOME=" + quoted(home) + " " +
                                quoted(QUAYSTALL_CLI) + " new-shop Demo 2>" + quoted(folder.file("err"));
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << folder.read("err");
    const std::string own = home + "/.local/share/quaystall";
    EXPECT_EQ(readFileBytes(own + "/program-version.txt"), QUAYSTALL_VERSION "\n");
    EXPECT_EQ(readFileBytes(own + "/Apache/cgi-bin/qstldb/AllCGIFiles.txt"),
              readFileBytes(cgi("AllCGIFiles.txt")));
    EXPECT_TRUE(fs::is_directory(own + "/shops/Demo"));
    EXPECT_TRUE(fs::is_regular_file(own + "/Apache/cgi-bin/qstldb/Demo-cgi/Catalogue.pl"));
    EXPECT_FALSE(fs::exists(home + "/location.cfg"));
}

TEST_F(QuaystallCliTest, FileErrorsAreToldAndEndWithExitStatusOne)
{
    const std::string blocked = folder.write("blocked", "a file, not a folder") + "/program";
    const Outcome run = cli({"--program-dir", blocked, "shops"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "The program folder " + blocked +
                           " could not be brought up to the installed master copy. Cannot create file " +
                           blocked + "/program-version.txt: Not a directory\n");

    const Outcome tooLong = cli({"new-shop", std::string(300, 'a')});
    EXPECT_EQ(tooLong.status, 1);
    EXPECT_TRUE(tooLong.err.ends_with(": File name too long\n")) << tooLong.err;

    std::string script;
    forEachLine(readFileBytes(cgi("AllCGIFiles.txt")), [&](std::string_view line) {
        if (script.empty())
            script = line;
    });
    fs::remove(cgi(script));
    const Outcome copy = cli({"new-shop", "Demo"});
    EXPECT_EQ(copy.status, 1);
    EXPECT_EQ(copy.err, "There was an error processing the CGI list-file \"AllCGIFiles.txt\" while copying " +
                            script + ".\nCannot open file " + fs::canonical(program()).string() +
                            "/Apache/cgi-bin/qstldb/" + script + ": No such file or directory\n");
}

TEST_F(QuaystallCliTest, ListsShopsAlphabeticallyWithoutRegardToCase)
{
    for (const char* name : {"beta", "Alpha", "gamma", "Beta-2"})
        fs::create_directories(program() + "/shops/" + name);
    EXPECT_EQ(cli({"shops"}).out, "Alpha\nbeta\nBeta-2\ngamma\n");
}

TEST_F(QuaystallCliTest, CheckPrintsTheSizesAndResaveKeepsTheShopsSettings)
{
    ASSERT_EQ(cli({"new-shop", "Demo"}).status, 0);
    const std::string settings = cgi("Demo-cgi/qstl2.cfg");
    writeFileAtomically(settings, "company=Demo Ltd\r\nMAX_CATEGORY_DEPTH=3\r\nPPID=acct-7\r\n");

    const Outcome empty = cli({"check", "Demo"});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "categories: 0\nproducts: 0\ndepth: 1\n");
    ASSERT_EQ(cli({"resave", "Demo"}).status, 0);
    const NameValueList saved = NameValueList::fromFile(settings);
    EXPECT_EQ(saved.value("company"), "Demo Ltd");
    EXPECT_EQ(saved.value("PPID"), "acct-7");

    writeFileAtomically(cgi("Demo-cgi/data/shop.data"), "0::Tea|Green|Sencha::\r\n1::Tea|Green|Sencha::\r\n"
                                                        "2::Tea|Black|::\r\n3::Cups|Mug::\r\n");
    const Outcome full = cli({"check", "Demo"});
    EXPECT_EQ(full.status, 0);
    EXPECT_EQ(full.out, "categories: 4\nproducts: 4\ndepth: 3\n");
    // Each kind of renaming told once, one line break at a time.
    EXPECT_EQ(full.err, "These products had no name in the catalogue file and have been given one:\n"
                        "Tea|Black, ID 2: now New Product 0\n"
                        "These products had the name of another product of their category and have been "
                        "renamed:\nTea|Green, ID 1: Sencha is now New Product 1\n");

    // Without its settings file the shop still opens, and the merchant is told.
    fs::remove(settings);
    const Outcome unset = cli({"check", "Demo"});
    EXPECT_EQ(unset.status, 0);
    EXPECT_EQ(unset.err.find("The shop's settings file " + settings + " is missing"), 0u) << unset.err;
}

TEST_F(QuaystallCliTest, WithoutALocalCGIFolderShopCommandsFail)
{
    ASSERT_EQ(cli({"new-shop", "Demo"}).status, 0);
    writeFileAtomically(cgi("Demo-cgi/location.cfg"), "LocImg=/tmp\r\n");
    writeFileAtomically(program() + "/location.cfg", "LocImg=/tmp\r\n");
    const std::string refusal =
        "The local CGI directory is not set, so the shop's files have no place to go.\n"
        "Set it in File, Location Details.\n";
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"check", "Demo"}, {"resave", "Demo"}, {"new-shop", "Other"}}) {
        const Outcome run = cli(command);
        EXPECT_EQ(run.status, 1) << command[0];
        EXPECT_EQ(run.err, refusal) << command[0];
    }
    EXPECT_FALSE(fs::exists(program() + "/shops/Other"));
}

TEST_F(QuaystallCliTest, ExportBuildsTheUploadFolderOrStopsBeforeBuildingAnything)
{
    ASSERT_EQ(cli({"new-shop", "Demo"}).status, 0);
    folder.write("program/Apache/cgi-bin/qstldb/Demo-cgi/data/shop.data", "");
    const std::string settings = readFileBytes(cgi("Demo-cgi/qstl2.cfg"));
    NameValueList complete = NameValueList::fromText(settings);
    complete.setValue("sales_email", "s@demo.test");
    complete.setValue("tech_email", "t@demo.test");
    complete.setValue("shipmethod", "percentage");
    complete.setValue("shippercent", "10");
    const std::string upload = program() + "/upload/Demo/";
    struct Case {
        const char* name;
        std::string settings;
        std::vector<std::string> arguments;
        std::string err;
    };
    const Case cases[] = {
        {"no e-mail addresses",
         settings,
         {"export", "Demo"},
         "Your shop will not work without the email fields set up. Please fill them in.\n"},
        {"no mail method",
         "sales_email=s@demo.test\r\ntech_email=t@demo.test\r\nMAX_CATEGORY_DEPTH=1\r\n",
         {"export", "Demo"},
         "Your shop will not work without a mail method set up. Please choose one.\n"},
        {"no such shop", complete.toText(), {"export", "Other"}, "Sorry! This shop seems to be missing.\n"},
    };
    for (const Case& c : cases) {
        folder.write("program/Apache/cgi-bin/qstldb/Demo-cgi/qstl2.cfg", c.settings);
        const Outcome refused = cli(c.arguments);
        EXPECT_EQ(refused.status, 1) << c.name;
        EXPECT_EQ(refused.err, c.err) << c.name;
        EXPECT_FALSE(fs::exists(program() + "/upload")) << c.name;
    }

    folder.write("program/Apache/cgi-bin/qstldb/Demo-cgi/qstl2.cfg", complete.toText());
    const Outcome run = cli({"export", "Demo"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.substr(0, 26), "IMPORTANT!!! Your shop dat");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 7);
    EXPECT_NE(run.err.find("\n\nYour upload folder is " + program() + "/upload/Demo.\n"), std::string::npos) << run.err;
    std::vector<std::string> scripts = lines(readFileBytes(cgi("Demo-cgi/CGIFiles.txt")));
    for (const std::string& name : scripts)
        EXPECT_EQ(readFileBytes(upload + "Demo-cgi/" + name),
                  asCopied(readFileBytes(cgi(name)), "/usr/bin/perl"))
            << name;
    // With the host's rules that keep everything else from being served.
    scripts.insert(scripts.end(), {"qstl2.cfg", std::string(hostRulesFileName)});
    std::sort(scripts.begin(), scripts.end());
    EXPECT_EQ(filesIn(upload + "Demo-cgi"), scripts);
    std::vector<std::string> data = filesIn(cgi("Demo-cgi/data"));
    data.emplace_back(hostRulesFileName);
    std::sort(data.begin(), data.end());
    EXPECT_EQ(filesIn(upload + "Demo-cgi/data"), data);
    EXPECT_EQ(filesIn(upload + "Demo-images"), filesIn(images("Demo-images")));

    // A file that could not be copied fails the export after saying so.
    fs::create_symlink("/etc/hostname", images("Demo-images/elsewhere.gif"));
    const Outcome incomplete = cli({"export", "Demo"});
    EXPECT_EQ(incomplete.status, 1);
    EXPECT_NE(incomplete.err.find("elsewhere.gif leads out of the shop's folders"), std::string::npos)
        << incomplete.err;

    // A missing script list is told once, in the list of what was not exported.
    fs::remove(images("Demo-images/elsewhere.gif"));
    fs::remove(cgi("Demo-cgi/CGIFiles.txt"));
    const Outcome noList = cli({"export", "Demo"});
    EXPECT_EQ(noList.status, 1);
    const std::string told = "The CGI list-file (" + cgi("Demo-cgi/CGIFiles.txt") + ") does not exist.";
    const std::size_t at = noList.err.find(told);
    ASSERT_NE(at, std::string::npos) << noList.err;
    EXPECT_EQ(noList.err.find(told, at + 1), std::string::npos) << noList.err;
}

// A shop that cannot take orders properly is exported all the same, each
// warning told on a line of its own.
TEST_F(QuaystallCliTest, ExportTellsEachWarningAndGoesOn)
{
    ASSERT_EQ(cli({"new-shop", "Demo"}).status, 0);
    NameValueList settings = NameValueList::fromText(readFileBytes(cgi("Demo-cgi/qstl2.cfg")));
    for (const auto& [name, value] : {std::pair<const char*, const char*>{"sales_email", "s@demo.test"},
                                      {"tech_email", "t@demo.test"},
                                      {"paymethod", "Credit Card"},
                                      {"shipmethod", "percentage"},
                                      {"shippercent", "five"}})
        settings.setValue(name, value);
    folder.write("program/Apache/cgi-bin/qstldb/Demo-cgi/qstl2.cfg", settings.toText());

    const Outcome run = cli({"export", "Demo"});
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::string> told;
    forEachLine(run.err, [&](std::string_view line) { told.emplace_back(line); });
    ASSERT_EQ(told.size(), 9u) << run.err;
    EXPECT_TRUE(told[0].starts_with("warning: Payment is by Credit Card, ")) << told[0];
    EXPECT_TRUE(told[1].starts_with("warning: Postage is a percentage of the order value, ")) << told[1];
    EXPECT_TRUE(told[2].starts_with("IMPORTANT!!!")) << told[2];
    EXPECT_EQ(told[7], "Your upload folder is " + fs::canonical(program() + "/upload/Demo").string() + ".");
    EXPECT_EQ(told[8], "Once uploaded, the administrators' pages (the orders) will be at /cgi-bin/Demo-cgi/Admin.pl "
                       "on your web server.");
    EXPECT_TRUE(fs::is_regular_file(program() + "/upload/Demo/Demo-cgi/qstl2.cfg"));

    // Prices the shop cannot read and a Perl path no host has, by name.
    writeFileAtomically(cgi("Demo-cgi/data/shop.data"), "0::Toys|Kite::::::::::::::12,50\r\n"
                                                        "1::Toys|Ball::::::::::::::3.00\r\n");
    const std::string location = cgi("Demo-cgi/location.cfg");
    NameValueList where = NameValueList::fromFile(location);
    where.setValue("RemPerlPath", "perl");
    writeFileAtomically(location, where.toText());
    const Outcome again = cli({"export", "Demo"});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.err.find("warning: The remote Perl path \"perl\" is not the full path of Perl on a web server"),
              std::string::npos)
        << again.err;
    EXPECT_NE(again.err.find("warning: 1 product has a price the shop cannot read, so it shows \"Price on "
                             "request\" for it: Kite in Toys (\"12,50\")."),
              std::string::npos)
        << again.err;
}

} // namespace
} // namespace qs
