#include "core/settings/ShopSettingsFile.h"
#include "TempFolder.h"
#include "core/settings/OpenSettings.h"
#include "core/settings/ShopPaths.h"
#include "core/text/ConversionError.h"
#include "core/text/FileError.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

using test::TempFolder;

class ShopSettingsFileTest : public ::testing::Test {
protected:
    ShopSettingsFileTest()
    {
        paths.LocCGI = "/srv/cgi";
        paths.ShopName = "Demo";
    }

    std::string saved(SettingsForm form)
    {
        SaveSettings(state, paths, folder.file("qstl2.cfg"), form);
        return folder.read("qstl2.cfg");
    }

    TempFolder folder;
    ShopPaths paths;
    OpenSettings state;
};

constexpr std::string_view defaultLines = "company=Shopping Online\r\nsales_email=\r\nbasecurrency=gbp\r\n"
                                          "currency=gbp\r\ntmpdir=/tmp\r\nPATH=data\r\nowner_email=\r\n"
                                          "MAX_CATEGORY_DEPTH=3\r\nAUTH=\r\nPPID=\r\n";

TEST_F(ShopSettingsFileTest, AFirstSaveKeepsTheDefaultsAndAppendsThePaths)
{
    paths.LocImgURL = "/images/Demo-images";
    EXPECT_EQ(saved(SettingsForm::Local), std::string(defaultLines) + "IMAGEPATH=/images/Demo-images\r\n"
                                                                      "CGIPATH=/srv/cgi/Demo-cgi\r\n"
                                                                      "mailprogram=/usr/bin/sendmail\r\n");
    // The remote form replaces the same lines in place and stays in memory.
    paths.RemImgURL = "/remote-images";
    EXPECT_EQ(saved(SettingsForm::Remote), std::string(defaultLines) + "IMAGEPATH=/remote-images\r\n"
                                                                       "CGIPATH=/cgi-bin/Demo-cgi\r\n"
                                                                       "mailprogram=/usr/bin/sendmail\r\n");
    EXPECT_EQ(state.ShopFields.value("CGIPATH"), "/cgi-bin/Demo-cgi");
}

TEST_F(ShopSettingsFileTest, TheMailValuesDecideWhichMailKeysAreWritten)
{
    struct Case {
        std::string program, web, smtp;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"/bin/mail", "web", "smtp", {"mailprogram=/bin/mail"}},
        {"", "web", "smtp", {"web_server=web", "smtp_server=smtp"}},
        {"", "", "smtp", {"smtp_server=smtp"}},
        {"", "", "", {}},
    };
    for (const Case& c : cases) {
        state.ShopFields = ShopSettings();
        state.ShopFields.setValue("web_server", "old-web");
        state.ShopFields.setValue("smtp_server", "old-smtp");
        state.ShopFields.setValue("mailprogram", "old-program");
        state.mailprogram = c.program;
        state.web_server = c.web;
        state.smtp_server = c.smtp;
        saved(SettingsForm::Local);
        const NameValueList written = NameValueList::fromFile(folder.file("qstl2.cfg"));
        std::vector<std::string> mailLines;
        for (const std::string& line : written.lines())
            if (line.starts_with("mailprogram=") || line.find("_server=") != std::string::npos)
                mailLines.push_back(line);
        EXPECT_EQ(mailLines, c.expected) << c.program << c.web << c.smtp;
    }
}

TEST_F(ShopSettingsFileTest, LoadingTakesTheFileAndItsProgramWideValues)
{
    folder.write("qstl2.cfg",
                 "company=Books\rmax_category_depth=-4\rMAILPROGRAM=\rWeb_Server=w\rsmtp_server=s");
    LoadSettings(state, folder.file("qstl2.cfg"));
    EXPECT_EQ(state.ShopFields.lines(),
              (std::vector<std::string>{"company=Books", "max_category_depth=-4",
                                        "MAILPROGRAM=", "Web_Server=w", "smtp_server=s"}));
    EXPECT_EQ(state.MAX_CATEGORY_DEPTH, 1) << "a damaged depth is held within what a tree can be";
    EXPECT_EQ(state.mailprogram, "");
    EXPECT_EQ(state.web_server, "w");
    EXPECT_EQ(state.smtp_server, "s");
}

TEST_F(ShopSettingsFileTest, AMissingFileLeavesTheListAsItWas)
{
    const std::string path = folder.file("qstl2.cfg");
    EXPECT_THROW(
        try { LoadSettings(state, path); } catch (const FileError& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot open file " + path + ": No such file or directory");
            throw;
        },
        FileError);
    EXPECT_EQ(state.ShopFields, ShopSettings());
}

TEST_F(ShopSettingsFileTest, ADepthThatIsNoWholeNumberStopsTheLoad)
{
    const std::pair<std::string, std::string> cases[] = {
        {"MAX_CATEGORY_DEPTH=abc", "abc"},
        {"MAX_CATEGORY_DEPTH=", ""},
        {"company=x", ""},
        {"MAX_CATEGORY_DEPTH= 3", " 3"},
        {"MAX_CATEGORY_DEPTH=3x", "3x"},
        {"MAX_CATEGORY_DEPTH=2147483648", "2147483648"},
        {"MAX_CATEGORY_DEPTH=+-1", "+-1"},
        {"MAX_CATEGORY_DEPTH=0x10", "0x10"},
    };
    for (const auto& [line, shown] : cases) {
        state.mailprogram = "kept";
        folder.write("qstl2.cfg", line + "\r\nmailprogram=new\r\n");
        try {
            LoadSettings(state, folder.file("qstl2.cfg"));
            ADD_FAILURE() << line << " was taken";
        } catch (const ConversionError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + shown + "' is not a valid integer value");
        }
        EXPECT_EQ(state.ShopFields.lines().front(), line);
        EXPECT_EQ(state.mailprogram, "kept");
    }
    folder.write("qstl2.cfg", "MAX_CATEGORY_DEPTH=+2147483647\r\n");
    LoadSettings(state, folder.file("qstl2.cfg"));
    EXPECT_EQ(state.MAX_CATEGORY_DEPTH, maximumCategoryDepth);
}

TEST_F(ShopSettingsFileTest, AFailedSaveKeepsTheNewValuesInMemory)
{
    const std::string path = folder.file("no-such-folder/qstl2.cfg");
    try {
        SaveSettings(state, paths, path, SettingsForm::Remote);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + path + ": No such file or directory");
    }
    EXPECT_EQ(state.ShopFields.value("CGIPATH"), "/cgi-bin/Demo-cgi");
}

} // namespace
} // namespace qs
