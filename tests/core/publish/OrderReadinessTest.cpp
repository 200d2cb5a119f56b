#include "core/publish/OrderReadiness.h"
#include "ScriptedUserInterface.h"
#include "TempFolder.h"
#include "core/app/AppState.h"
#include "core/catalogue/FieldNames.h"
#include "core/catalogue/TNewCategory.h"
#include "core/catalogue/TNewProduct.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace qs {
namespace {

namespace fs = std::filesystem;
using test::ScriptedUserInterface;
using test::TempFolder;

// A shop "Demo" that can take orders: a sales address, card payment with the
// merchant's key, postage by weight with a charged band, VAT with the code
// "S", and two products of Books with a weight and that code, one of them
// through the category's default.
struct ReadyShop {
    ReadyShop() : state(folder.path().string())
    {
        state.LocCGI = folder.path().string();
        state.ShopName = "Demo";
        fs::create_directories(state.ShopDataDir());
        writeData("merchant-key.asc", "-----BEGIN PGP PUBLIC KEY BLOCK-----\n");
        writeData("zones_data.log", "1::100::::2.50::::::\r\n");
        writeData("zones_fixed.log", "1::100::::::::::\r\n");
        writeData("shop.tax", "S=20.00\tStandard rate\r\n");
        set("sales_email", "sales@demo.test");
        set("paymethod", "Credit Card");
        set("shipmethod", "perzoneweight");
        set("taxaction", "exclude");
        books.setDetail("Default Tax Code", "S");
        addProduct("Dune", "250", "s");
        addProduct("Emma", "1.5", "");
    }

    std::string data(std::string_view name) const { return state.ShopDataDir() + "/" + std::string(name); }
    void writeData(std::string_view name, std::string_view bytes) const { folder.write(data(name), bytes); }

    void addProduct(const std::string& name, std::string_view weight, std::string_view taxCode)
    {
        TNewProduct& product = state.catalogue.createProduct(books);
        product.setField("Product Name", name, ui);
        product.setField("Weight", weight, ui);
        product.setField("Tax Code", taxCode, ui);
    }
    void set(std::string_view name, std::string_view value) { state.ShopFields.setValue(name, value); }

    TempFolder folder;
    AppState state;
    ScriptedUserInterface ui;
    TNewCategory& books = state.catalogue.addCategory(state.catalogue.root(), "Books");
};

TEST(OrderReadinessTest, EachProblemGivesItsOneWarning)
{
    const std::string postalCharges =
        "in Options, Postal Charges, on the \"Postal Charges\" page of Postage and Packing Info.";
    const auto unknownCodes = [](const std::string& products, const std::string& codes) {
        const bool one = products.starts_with("1 ");
        return products + " a Tax Code that is none of the shop's VAT codes, so " +
               (one ? "it is" : "they are") + " charged no VAT: " + codes +
               ". Add the codes in Options, VAT Information, or correct the products' Tax Code; if the shop "
               "charges no VAT, tick \"Do not perform any VAT calculations at all\" there.";
    };
    const auto withoutWeight = [](const std::string& products, const std::string& names) {
        return "Postage is charged by weight, but " + products +
               " no weight, and " + (products.starts_with("1 ") ? "counts" : "count") +
               " as weighing nothing in the postage: " +
               names + ". Type each one's Weight, a number such as 250, in the product grid.";
    };
    const auto unreadableWeights = [](const std::string& products, const std::string& names, bool perType) {
        const bool one = products.starts_with("1 ");
        return products + " a weight the shop cannot read, so " + (one ? "it weighs" : "they weigh") +
               " nothing in the postage: " + names +
               ". Type weights as plain numbers such as 250, without a unit, " +
               (perType ? "one for each type joined by \"|\"" : "one for the whole product") +
               ", in the product grid.";
    };
    const std::string perlPathAdvice =
        "\" is not the full path of Perl on a web server, so the shop's scripts would not start there. Type the "
        "path your host gives, such as /usr/bin/perl, as \"Remote path to Perl5\" in File, Location Details.";
    struct Case {
        const char* name;
        std::function<void(ReadyShop&)> change;
        std::vector<std::string> warnings;
    };
    std::vector<Case> cases = {
        {"ready", [](ReadyShop&) {}, {}},
        {"no sales address",
         [](ReadyShop& shop) { shop.set("sales_email", " "); },
         {"The shop has no sales e-mail address, so it could not tell you of an order. Fill in \"Sales "
          "e-mail\" in Options, Merchant Details."}},
        {"card payment without the key",
         [](ReadyShop& shop) { fs::remove(shop.data("merchant-key.asc")); },
         {"Payment is by Credit Card, but the shop's data folder has no public key file merchant-key.asc, so "
          "card numbers are not taken and customers are offered a phone call back instead. Put your public "
          "key there as DATA/merchant-key.asc, or choose another method in Options, Payment Method."}},
        {"no key needed without card payment",
         [](ReadyShop& shop) {
             fs::remove(shop.data("merchant-key.asc"));
             shop.set("paymethod", "WorldPay");
         },
         {}},
        {"weight bands without a charge the scripts can read",
         [](ReadyShop& shop) {
             shop.writeData("zones_data.log", "1::100::::  ::free::::\r\n2::heavy::2.50::::::::\r\n");
         },
         {"Postage is charged by weight and zone, but no weight band has a charge, so the shop has no "
          "postage to charge. Make the weight bands in Options, Postal Charges, on the \"Weight Categories\" "
          "page of Postage and Packing Info, and type their charges on its \"Postal Charges\" page."}},
        {"fixed costs without a cost",
         [](ReadyShop& shop) { shop.set("shipmethod", "perzone"); },
         {"Postage is a fixed cost per zone, but no zone has a cost, so the shop has no postage to charge. "
          "Type the costs " +
          postalCharges}},
        {"fixed costs with one cost",
         [](ReadyShop& shop) {
             shop.set("shipmethod", "perzone");
             shop.writeData("zones_fixed.log", "1::100::x::::::0.00::\r\n");
         },
         {}},
        {"no percentage",
         [](ReadyShop& shop) { shop.set("shipmethod", "percentage"); },
         {"Postage is a percentage of the order value, but no percentage is set. Type one such as 5 or "
          "12.5 " +
          postalCharges}},
    };
    for (const char* percentage : {"5%", "12,5", "1e3", "-5", "1234567890.1234567"})
        cases.push_back(
            {percentage,
             [percentage](ReadyShop& shop) {
                 shop.set("shipmethod", "percentage");
                 shop.set("shippercent", percentage);
             },
             {"Postage is a percentage of the order value, but the percentage \"" + std::string(percentage) +
              "\" is not a plain number, so the shop cannot work out the postage and takes no order. Type "
              "one such as 5 or 12.5 " +
              postalCharges}});
    for (const char* percentage : {" 7.5 ", "999", "12.", "0", "1000", "12.345", "10.0000", ".5"})
        cases.push_back({percentage,
                         [percentage](ReadyShop& shop) {
                             shop.set("shipmethod", "percentage");
                             shop.set("shippercent", percentage);
                         },
                         {}});
    cases.insert(
        cases.end(),
        {
            {"tax codes the shop does not have",
             [](ReadyShop& shop) {
                 shop.addProduct("Kite", "10", "Z");
                 shop.addProduct("Ball", "10", "z");
                 shop.books.setDetail("Default Tax Code", "");
             },
             {unknownCodes("3 products have", "no Tax Code (1 product), \"Z\" (2 products)")}},
            {"one product with a code the shop does not have",
             [](ReadyShop& shop) { shop.addProduct("Kite", "10", "Q"); },
             {unknownCodes("1 product has", "\"Q\" (1 product)")}},
            {"unknown codes when VAT is ignored",
             [](ReadyShop& shop) {
                 shop.addProduct("Kite", "10", "Z");
                 shop.set("taxaction", "Ignore");
             },
             {}},
            {"many unknown codes",
             [](ReadyShop& shop) {
                 for (char code = 'a'; code <= 'l'; ++code)
                     shop.addProduct(std::string("Kite ") + code, "10", std::string(1, code));
             },
             {unknownCodes("12 products have",
                           "\"a\" (1 product), \"b\" (1 product), \"c\" (1 product), \"d\" (1 product), "
                           "\"e\" (1 product), \"f\" (1 product), \"g\" (1 product), \"h\" (1 product), "
                           "\"i\" (1 product), \"j\" (1 product) and 2 more codes")}},
            {"VAT codes that cannot be read",
             [](ReadyShop& shop) {
                 fs::remove(shop.data("shop.tax"));
                 fs::create_directory(shop.data("shop.tax"));
             },
             {"The shop's VAT codes could not be read, so no product is charged VAT (Cannot open file "
              "DATA/shop.tax: Is a directory). Check them in Options, VAT Information."}},
            {"products without a weight, and weights the shop cannot read",
             [](ReadyShop& shop) {
                 shop.addProduct("Kite", "", "S");
                 shop.addProduct("Ball", "heavy", "S");
                 shop.addProduct("Yo-yo", "1,5", "S");
             },
             {unreadableWeights("2 products have", "Ball in Books (\"heavy\"), Yo-yo in Books (\"1,5\")", true),
              withoutWeight("1 product has", "Kite in Books")}},
            {"weights the shop cannot read whatever the postage method",
             [](ReadyShop& shop) {
                 shop.addProduct("Kite", "250g", "S");
                 shop.set("shipmethod", "perzone");
                 shop.writeData("zones_fixed.log", "1::100::3.00::::::::\r\n");
             },
             {unreadableWeights("1 product has", "Kite in Books (\"250g\")", true)}},
            {"prices the shop cannot read, own or the category's",
             [](ReadyShop& shop) {
                 shop.addProduct("Kite", "10", "S");
                 shop.books.products().back()->trySetField(FieldNames::intern("Price"), "12,50");
                 TNewCategory& toys = shop.state.catalogue.addCategory(shop.books, "Toys");
                 toys.setDetail("Default Price", "\xA3" "5");
                 toys.setDetail("Default Weight", "5");
                 toys.setDetail("Default Tax Code", "S");
                 shop.state.catalogue.createProduct(toys).trySetField(FieldNames::ProductName, "Ball");
             },
             {"2 products have a price the shop cannot read, so it shows \"Price on request\" for them: Kite in "
              "Books (\"12,50\"), Ball in Books|Toys (\"\xA3" "5\"). Type prices as plain numbers such as 12.50, "
              "without a currency sign, one for each type joined by \"|\", in the product grid."}},
            {"a per-type list where prices are held once",
             [](ReadyShop& shop) {
                 shop.state.InfoList.setLines({"Price=Decimal,Mandatory,,,No,No"});
                 shop.addProduct("Kite", "10", "S");
                 shop.books.products().back()->trySetField(FieldNames::intern("Price"), "40.00|45.00");
             },
             {"1 product has a price the shop cannot read, so it shows \"Price on request\" for it: Kite in "
              "Books (\"40.00|45.00\"). Type prices as plain numbers such as 12.50, without a currency sign, one "
              "for the whole product, in the product grid."}},
            {"no postage method",
             [](ReadyShop& shop) { shop.set("shipmethod", ""); },
             {"No postage method is chosen, so the shop will charge no postage. Choose one " + postalCharges}},
            {"a remote Perl path that is not Perl's",
             [](ReadyShop& shop) { shop.state.RemPerlPath = "perl"; },
             {"The remote Perl path \"perl" + perlPathAdvice}},
            {"a remote Perl path to another program",
             [](ReadyShop& shop) { shop.state.RemPerlPath = "/usr/bin/python3"; },
             {"The remote Perl path \"/usr/bin/python3" + perlPathAdvice}},
            {"remote Perl paths that work",
             [](ReadyShop& shop) { shop.state.RemPerlPath = "/usr/local/bin/perl5.36"; },
             {}},
            {"many products without a weight",
             [](ReadyShop& shop) {
                 for (int i = 1; i <= 7; ++i)
                     shop.addProduct("Kite " + std::to_string(i), "", "S");
             },
             {withoutWeight("7 products have", "Kite 1 in Books, Kite 2 in Books, Kite 3 in Books, Kite 4 in "
                                               "Books, Kite 5 in Books and 2 more products")}},
            {"weights matter only for postage by weight",
             [](ReadyShop& shop) {
                 shop.addProduct("Kite", "", "S");
                 shop.set("shipmethod", "percentage");
                 shop.set("shippercent", "5");
             },
             {}},
            {"a weight for each type",
             [](ReadyShop& shop) {
                 shop.state.InfoList.setLines({"Weight=Decimal,Mandatory,,,No,Yes"});
                 shop.addProduct("Kite", "250|", "S");
                 shop.addProduct("Ball", "250|x", "S");
                 shop.addProduct("Yo-yo", "|250", "S");
             },
             {unreadableWeights("1 product has", "Ball in Books (\"250|x\")", true),
              withoutWeight("1 product has", "Yo-yo in Books")}},
            {"a Tax Code for each type",
             [](ReadyShop& shop) {
                 shop.state.InfoList.setLines({"Tax Code=Text,Recommended,,,No,Yes"});
                 shop.addProduct("Kite", "10", "S|z|");
                 shop.addProduct("Ball", "10", "Z|Z");
                 shop.addProduct("Yo-yo", "10", "s||S");
             },
             {unknownCodes("2 products have", "\"z\" (2 products)")}},
            {"setting words in any capitals",
             [](ReadyShop& shop) {
                 shop.set("taxaction", "Include");
                 shop.set("shipmethod", " PerZoneWeight ");
                 shop.set("paymethod", "credit CARD");
                 shop.set("postvatinc", "YES");
                 shop.set("save_user_details", "on");
             },
             {}},
            {"setting words the shop does not know",
             [](ReadyShop& shop) {
                 shop.set("taxaction", "inclusive");
                 shop.set("shipmethod", "by weight");
                 shop.set("phoneback", "Y");
             },
             {"The shop's settings file holds words the shop does not know, and the shop does as if they "
              "were "
              "not set: taxaction=\"inclusive\" (the shop knows include, exclude or ignore), shipmethod=\"by "
              "weight\" (the shop knows perzoneweight, perzone or percentage), phoneback=\"Y\" (the shop "
              "knows "
              "yes or no). Set each again in its Options window; capitals do not matter."}},
            {"VAT rates that are not numbers",
             [](ReadyShop& shop) {
                 shop.writeData("shop.tax", "S=20,0\tStandard\r\nR=17.555\tOdd\r\n");
                 shop.writeData("countries.tax",
                                "Headings=S\tR\t\t\r\nIsle=eight\t\t\t\r\nFar=8.125\t5\t\t\r\n");
             },
             {"VAT rates are not a plain number, so the shop cannot work out the VAT of an order that needs "
              "them "
              "and takes no such order: \"20,0\" of code S, \"eight\" of code S for Isle. Type rates such as "
              "17.5 in Options, VAT Information (special rates by country under Advanced)."}},
            {"VAT rates do not matter when VAT is ignored",
             [](ReadyShop& shop) {
                 shop.writeData("shop.tax", "S=20,0\tStandard\r\n");
                 shop.set("taxaction", "IGNORE");
             },
             {}},
            {"weights read exactly to the millionth",
             [](ReadyShop& shop) {
                 shop.addProduct("Ounce", "0.0625", "S");
                 shop.addProduct("Grain", "0.0005", "S");
                 shop.addProduct("Dust", "0.0000001", "S");
                 shop.addProduct("Ship", "12345678", "S");
             },
             {unreadableWeights("2 products have", "Dust in Books (\"0.0000001\"), Ship in Books (\"12345678\")",
                                true)}},
            {"types share one weight unless the field says otherwise",
             [](ReadyShop& shop) {
                 shop.state.InfoList.setLines({"Weight=Decimal,Mandatory,,,No,No"});
                 shop.addProduct("Kite", "250|500", "S");
             },
             {unreadableWeights("1 product has", "Kite in Books (\"250|500\")", false)}},
        });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReadyShop shop;
        c.change(shop);
        std::vector<std::string> expected = c.warnings;
        for (std::string& warning : expected)
            if (const auto at = warning.find("DATA/"); at != std::string::npos)
                warning.replace(at, 4, shop.state.ShopDataDir());
        EXPECT_EQ(orderReadinessWarnings(shop.state), expected);
    }
}

} // namespace
} // namespace qs
