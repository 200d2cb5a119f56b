#include "ScriptedUserInterface.h"
#include "TempFolder.h"
#include "core/app/AppState.h"
#include "core/settings/CountryRates.h"
#include "core/settings/VatCountries.h"
#include "core/settings/VatDetails.h"
#include "core/text/AtomicFileSet.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qs {
namespace {

using test::ScriptedUserInterface;

class VatTest : public ::testing::Test {
protected:
    VatTest() : state(folder.path().string())
    {
        state.LocCGI = folder.path().string();
        state.ShopName = "Demo";
        std::filesystem::create_directories(state.ShopDataDir());
    }

    void writeData(std::string_view name, std::string_view bytes) const
    {
        folder.write("Demo-cgi/data/" + std::string(name), bytes);
    }
    std::string data(std::string_view name) const
    {
        return folder.read("Demo-cgi/data/" + std::string(name));
    }

    VatDetails openDetails()
    {
        VatDetails details;
        EXPECT_TRUE(details.open(state.ShopFields, state.ShopDataDir(), ui));
        return details;
    }

    test::TempFolder folder;
    AppState state;
    ScriptedUserInterface ui;
};

TEST_F(VatTest, FilesKeepTheirLayout)
{
    const auto codes = parseVatCodes("Y=17.5\tStandard\tdropped\r\n\r\nN=0\r\n");
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[0], (VatCode{"Y", "17.5", "Standard"}));
    EXPECT_EQ(vatCodesBytes(codes), "Y=17.5\tStandard\r\nN=0\t\r\n");

    CountryRates rates = CountryRates::parse("Headings=Y\tN\t\t\r\nFrance=1\t2\t\t\r\nfrance=3\t4\t\t\r\n");
    EXPECT_EQ(rates.headings, (std::vector<std::string>{"Y", "N", "", ""}));
    ASSERT_EQ(rates.countries.size(), 2u);
    EXPECT_EQ(rates.bytes(), "Headings=Y\tN\t\t\r\nfrance=3\t4\t\t\r\n");
}

TEST_F(VatTest, OnlyTheFirstLineOfCountryRatesHoldsTheHeadings)
{
    struct Case {
        const char* what;
        std::string file;
        std::vector<std::string> headings;
        std::vector<std::string> countries;
    };
    const Case cases[] = {
        {"a country named Headings", "Headings=Y\tN\r\nheadings=1\t2\r\n", {"Y", "N"}, {"headings"}},
        {"no headings line", "France=5\r\nHeadings=Y\r\n", {}, {"France", "Headings"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CountryRates rates = CountryRates::parse(c.file);
        EXPECT_EQ(rates.headings, c.headings);
        std::vector<std::string> names;
        for (const auto& country : rates.countries)
            names.push_back(country.name);
        EXPECT_EQ(names, c.countries);
        EXPECT_EQ(CountryRates::parse(rates.bytes()), rates);
    }

    writeData("countries.tax", "Headings=Y\tN\r\nheadings=Y\r\n");
    AtomicFileSet files;
    renameCountryHeadings(state.ShopDataDir() + "/countries.tax", {{"Y", "S"}}, files);
    files.commit();
    EXPECT_EQ(data("countries.tax"), "Headings=S\tN\r\nheadings=Y\r\n") << "the country keeps its rates";
}

TEST_F(VatTest, OpeningReadsCodesAndTaxAction)
{
    const std::tuple<const char*, bool, int> actions[] = {
        {"ignore", true, VatDetails::NotIncluded},     {"include", false, VatDetails::Included},
        {" Include ", false, VatDetails::Included},    {"IGNORE", true, VatDetails::NotIncluded},
        {"inclusive", false, VatDetails::NotIncluded}, {"", false, VatDetails::NotIncluded}};
    for (const auto& [action, noVat, price] : actions) {
        state.ShopFields.setValue("taxaction", action);
        const VatDetails details = openDetails();
        EXPECT_EQ(details.ignoreVat, noVat) << action;
        if (!noVat) {
            EXPECT_EQ(details.priceDetails, price) << action;
        }
        EXPECT_TRUE(details.codes.empty());
    }
    // A shop.tax that exists but cannot be read stops the dialog.
    std::filesystem::create_directory(state.ShopDataDir() + "/shop.tax");
    VatDetails details;
    EXPECT_FALSE(details.open(state.ShopFields, state.ShopDataDir(), ui));
    ASSERT_EQ(ui.said.size(), 1u);
    EXPECT_EQ(ui.said[0].text.rfind("Cannot open file " + state.ShopDataDir() + "/shop.tax", 0), 0u);
}

TEST_F(VatTest, AddRefusesWhatCannotBeStored)
{
    writeData("shop.tax", "Y=17.5\tStandard\r\n");
    VatDetails details = openDetails();
    const std::tuple<const char*, const char*, const char*, std::string_view> refused[] = {
        {" ", "5", "", VatDetails::missingMessage},
        {"Z", "\t", "", VatDetails::missingMessage},
        {"y", "5", "", VatDetails::duplicateMessage},
        {"Z", "17.5%", "", VatDetails::rateMessage},
        {"Z", "17,5", "", VatDetails::rateMessage},
        {"Z=1", "5", "", "A VAT code cannot contain \"=\"."},
        {"Z", "5", "two\tcolumns", "A description cannot contain a tab."}};
    for (const auto& [code, rate, description, message] : refused) {
        ui.said.clear();
        EXPECT_FALSE(details.add(code, rate, description, ui)) << code << rate;
        EXPECT_EQ(ui.texts(), std::vector<std::string>{std::string(message)});
    }
    EXPECT_TRUE(details.add(" N ", " 0 ", " Zero", ui));
    EXPECT_EQ(details.codes.back(), (VatCode{"N", "0.00", " Zero"}));
}

TEST_F(VatTest, RenamingACodeRenamesItsColumnOnlyWhenSaved)
{
    writeData("shop.tax", "Y=17.5\tStandard\r\nN=0\tZero\r\n");
    const std::string countries = "Headings=Y\tN\t\t\r\nFrance=5\t\t\t\r\n";
    writeData("countries.tax", countries);
    VatDetails details = openDetails();
    EXPECT_FALSE(details.modify(0, "n", "1", "", ui));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{std::string(VatDetails::duplicateMessage)});
    ASSERT_TRUE(details.modify(0, "S", "", "Standard", ui));
    ASSERT_TRUE(details.modify(0, "T", "20", "Standard", ui));
    EXPECT_EQ(data("countries.tax"), countries) << "Cancel would leave both files as they were";

    details.priceDetails = VatDetails::Included;
    ASSERT_TRUE(details.accept(state, state.ShopDataDir(), ui));
    EXPECT_EQ(data("shop.tax"), "T=20.00\tStandard\r\nN=0\tZero\r\n");
    EXPECT_EQ(data("countries.tax"), "Headings=T\tN\t\t\r\nFrance=5\t\t\t\r\n");
    EXPECT_EQ(state.ShopFields.value("taxaction"), "include");
    EXPECT_TRUE(state.CatalogueModified());

    // Removing every code writes an empty shop.tax, not a line without a code.
    details.remove(1);
    details.remove(0);
    details.ignoreVat = true;
    ASSERT_TRUE(details.accept(state, state.ShopDataDir(), ui));
    EXPECT_EQ(data("shop.tax"), "");
    EXPECT_EQ(state.ShopFields.value("taxaction"), "ignore");
}

TEST_F(VatTest, CountryRatesFollowTheCodes)
{
    writeData("shop.tax", "Y=17.5\tStandard\r\nN=0\tZero\r\nR=5\tReduced\r\n");
    writeData("countries.tax", "Headings=N\tOLD\ty\t\r\nJersey=1\t9\t\t\r\nGuernsey=x\t\t2.5\t\r\n");
    state.Postage.areas = DeliveryAreas::parse("Jersey=1,0\r\nMalta=3,0\r\n");
    VatCountries form;
    ASSERT_TRUE(form.open(state.ShopDataDir(), state.Postage.areas, ui));
    EXPECT_EQ(form.codes, (std::vector<std::string>{"Y", "N", "R"}));
    EXPECT_EQ(form.columnCount(), 4u);
    ASSERT_EQ(form.rows.size(), 2u);
    EXPECT_EQ(form.rows[0].rates, (std::vector<std::string>{"", "1.00", "", ""}));
    EXPECT_EQ(form.rows[1].rates, (std::vector<std::string>{"2.50", "x", "", ""}));
    EXPECT_EQ(form.countries, (std::vector<std::string>{"Jersey", "Malta"}));

    EXPECT_FALSE(form.addCountry("JERSEY", ui));
    EXPECT_TRUE(form.addCountry("Malta", ui));
    EXPECT_FALSE(form.setRate(2, 0, "17,5", ui));
    EXPECT_FALSE(form.setRate(2, 3, "1", ui)) << "no code above the column";
    EXPECT_TRUE(form.setRate(2, 2, "7", ui));
    EXPECT_TRUE(form.setRate(0, 1, "", ui));
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{std::string(VatCountries::listedMessage),
                                                    std::string(VatCountries::rateMessage)}));
    ui.answers = {Answer::Yes};
    ASSERT_TRUE(form.deleteCountry(1, ui));
    ASSERT_TRUE(form.accept(state.ShopDataDir(), ui));
    EXPECT_EQ(data("countries.tax"), "Headings=Y\tN\tR\t\r\nJersey=\t\t\t\r\nMalta=\t\t7.00\t\r\n");
}

TEST_F(VatTest, FiveCodesMakeFiveColumns)
{
    writeData("shop.tax", "A=1\t\r\nB=2\t\r\nC=3\t\r\nD=4\t\r\nE=5\t\r\n");
    VatCountries form;
    ASSERT_TRUE(form.open(state.ShopDataDir(), state.Postage.areas, ui))
        << "a missing countries.tax has no rows yet";
    EXPECT_TRUE(form.rows.empty());
    ASSERT_TRUE(form.addCountry("Malta", ui));
    ASSERT_TRUE(form.accept(state.ShopDataDir(), ui));
    EXPECT_EQ(data("countries.tax"), "Headings=A\tB\tC\tD\tE\r\nMalta=\t\t\t\t\r\n");
}

} // namespace
} // namespace qs
