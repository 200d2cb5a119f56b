#include "ScriptedUserInterface.h"
#include "TempFolder.h"
#include "core/app/AppState.h"
#include "core/app/ShopWorkspace.h"
#include "core/app/Startup.h"
#include "core/catalogue/EditorState.h"
#include "core/fields/FieldDefinitions.h"
#include "core/publish/OrderReadiness.h"
#include "core/settings/DeliveryAreas.h"
#include "core/text/NameValueList.h"
#include "core/text/ReadFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace qs {
namespace {

namespace fs = std::filesystem;

// The shipped program folder on its first start, and the first shop made in it.
TEST(NewProgramFolderDefaultsTest, AFirstShopRunsOnAStandardHostAndSaysWhatItCharges)
{
    test::TempFolder folder;
    fs::copy(QUAYSTALL_SHARE_PROGRAM, folder.path(), fs::copy_options::recursive);
    AppState state(folder.path().string());
    test::ScriptedUserInterface ui;
    EditorState editor;
    ASSERT_TRUE(StartUp(state, ui));
    ui.inputs.push_back(std::string("Harbour-Crafts"));
    ASSERT_TRUE(NewShopCommand(state, editor, ui));
    const std::string data = state.ShopDataDir() + "/";

    // The Perl every current Linux host has, in both location files.
    EXPECT_EQ(state.RemPerlPath, "/usr/bin/perl");
    for (const std::string& file : {folder.file("location.cfg"), state.ShopCGIDir() + "/location.cfg"})
        EXPECT_EQ(NameValueList::fromFile(file).value("RemPerlPath"), "/usr/bin/perl") << file;

    // Goods sent out of the United Kingdom carry no UK VAT.
    for (const DeliveryArea& area : DeliveryAreas::parse(readFileBytes(data + "area.txt")).entries)
        EXPECT_EQ(area.liability(), area.name == "United Kingdom" ? 1 : 0) << area.name;

    // Each type may have its own price and weight.
    FieldDefinitions fields;
    ASSERT_TRUE(fields.DefinitionsLoad(data + "fieldinfo.data"));
    for (const char* field : {"Price", "Weight"})
        EXPECT_EQ(fields.FieldAttribute(field, FieldDefinitions::Extensible), "Yes") << field;

    // The sample terms say what the VAT setting does: VAT added, not included.
    EXPECT_NE(state.ShopFields.value("taxaction"), "include");
    const std::string terms = readFileBytes(data + "termcondition.txt");
    EXPECT_EQ(terms.find("include VAT"), std::string::npos);
    EXPECT_NE(terms.find("VAT is added"), std::string::npos);

    // No postage method is chosen yet, and the export says what that means.
    const std::vector<std::string> warnings = orderReadinessWarnings(state);
    EXPECT_TRUE(std::any_of(warnings.begin(), warnings.end(), [](const std::string& warning) {
        return warning.starts_with("No postage method is chosen, so the shop will charge no postage.");
    }));
}

} // namespace
} // namespace qs
