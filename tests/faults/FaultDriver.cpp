// Opens a shop and performs one operation that writes its files as the
// desktop program performs it: the catalogue saved after an edit, or the OK
// of a settings dialog with changed values. Every change sets a value, so
// doing it again on what it wrote writes the same bytes.
//
//   quaystall-fault-driver PROGRAM_FOLDER SHOP OPERATION [TABLE]
//
// Everything the program would tell is printed on standard error. The exit
// status is 0 when the operation succeeded without an error being told.

#include "ScriptedUserInterface.h"
#include "core/app/AppState.h"
#include "core/app/Location.h"
#include "core/app/ShopChooser.h"
#include "core/app/ShopWorkspace.h"
#include "core/app/Startup.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/EditorState.h"
#include "core/catalogue/TNewCategory.h"
#include "core/import/ImportCommand.h"
#include "core/import/ImportSheet.h"
#include "core/import/OpenImportTable.h"
#include "core/publish/PreviewSettings.h"
#include "core/publish/PreviewSettingsEdits.h"
#include "core/settings/AdminPassword.h"
#include "core/settings/MerchantDetails.h"
#include "core/settings/ProductOptions.h"
#include "core/settings/TermsAndConditions.h"
#include "core/settings/VatCountries.h"
#include "core/settings/VatDetails.h"
#include "core/text/FileError.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <iostream>
#include <string_view>

namespace qs {
namespace {

struct Session {
    AppState state;
    EditorState editor;
    test::ScriptedUserInterface ui;
    std::string table;
};

// What a dialog does with a file it could not write: it tells the error.
bool told(UserInterface& ui, const std::function<void()>& write)
{
    try {
        write();
    } catch (const FileError& error) {
        ui.message(error.what(), MessageKind::Error);
        return false;
    }
    return true;
}

TNewProduct* firstProduct(const TNewCategory& category)
{
    if (!category.products().empty())
        return category.products().front().get();
    for (const auto& child : category.children())
        if (TNewProduct* product = firstProduct(*child))
            return product;
    return nullptr;
}

bool saveCatalogue(Session& s)
{
    TNewProduct* product = firstProduct(s.state.catalogue.root());
    if (!product) {
        s.ui.message("The catalogue has no product to change.", MessageKind::Error);
        return false;
    }
    const std::string refusal = s.state.changes().setProductField(*product, "Price", "123.45");
    if (!refusal.empty()) {
        s.ui.message(refusal, MessageKind::Error);
        return false;
    }
    return SaveCatalogueCommand(s.state, s.ui, false) == SaveOutcome::Saved;
}

// The first code renamed, so that the countries' file is rewritten too.
bool vatDetails(Session& s)
{
    VatDetails details;
    return details.open(s.state, s.ui) && !details.codes.empty() &&
           details.modify(0, "S", "17.50", "Standard rate", s.ui) && details.accept(s.state, s.ui);
}

bool vatCountries(Session& s)
{
    VatCountries countries;
    return countries.open(s.state, s.ui) && !countries.rows.empty() && countries.setRate(0, 0, "7.5", s.ui) &&
           countries.accept(s.state, s.ui);
}

bool postage(Session& s)
{
    PostageAndPacking& postage = s.state.Postage;
    postage.show(s.state, s.ui);
    postage.setZone(0, 3);
    const std::optional<std::size_t> band =
        postage.tables.bands.empty() ? postage.newBand("500", s.ui) : std::optional<std::size_t>(0);
    return band && postage.setWeightCharge(*band, 0, "2.75", s.ui) && postage.setFixedCost(0, "4.50", s.ui) &&
           postage.accept(s.state, s.ui);
}

bool adminPassword(Session& s)
{
    return AdminPassword{"admin", "quay-2024"}.write(AdminPassword::file(s.state.ShopCGIDir()), s.ui);
}

// The third variation of the first option renamed.
bool flavours(Session& s)
{
    ProductOptions options(s.state, s.ui);
    s.ui.inputs.push_back("Extra large");
    return options.open("") && options.editVariation(0, 2) && options.confirm().has_value();
}

bool terms(Session& s)
{
    return told(s.ui, [&] {
        writeTerms(termsFile(s.state.ShopDataDir()),
                   "Goods are sent within three days.\nReturns are accepted for 14 days.");
    });
}

bool location(Session& s)
{
    LocationDetails& form = s.state.locationForm;
    form.fill(s.state);
    form.RemotePerlPathEdit = "/usr/local/bin/perl";
    form.accept(s.state);
    return told(s.ui, [&] { SaveLocation(s.state, currentLocationFile(s.state)); });
}

// Taken over by OK, written as the program ends.
bool previewSettings(Session& s)
{
    PreviewSettings settings;
    settings.load(s.state);
    const PreviewSettingsEdits edits{"/usr/bin/firefox-esr", "http://localhost:8081"};
    return edits.accept(s.state, settings, s.ui) && told(s.ui, [&] { settings.save(s.state); });
}

// The table's last column unassigned, then the importer closed after a merge.
bool columnAssignments(Session& s)
{
    struct NoQuestions : ImportQuestions {
        MissingFieldAnswer missingField(const MissingField&, bool) override { return {}; }
        EmptyCellReply emptyCell(const CellPosition&) override { return {true}; }
    } questions;
    std::optional<ImportSheet> sheet = openImportTable(s.table, s.state.InfoList, s.ui);
    if (!sheet || sheet->assignments().columnCount() == 0)
        return false;
    sheet->assignments().unassign(sheet->assignments().columnCount() - 1);
    s.ui.answers.push_back(Answer::Yes);
    return ImportCommand(s.state, s.ui, questions).closeAfterMerge(*sheet, s.table);
}

bool merchantDetails(Session& s)
{
    MerchantDetails details;
    details.fill(s.state.ShopFields);
    details.MercNameEdit = "Quay Stores Ltd";
    details.AddressMemo = "1 Harbour Row\r\nPortsmouth";
    details.EmailEdit = "sales@quay.test";
    details.TechSupportEmail = "tech@quay.test";
    details.HomeURLEdit = "http://quay.test";
    details.ChequeNameEdit = "Quay Stores";
    return details.accept(s.state.ShopFields, s.ui, MerchantDetails::PaymentAccount::stored(s.state.ShopFields)) &&
           told(s.ui, [&] { MerchantDetails::save(s.state); });
}

struct Operation {
    std::string_view name;
    bool (*perform)(Session&);
};

constexpr Operation operations[] = {
    {"save", saveCatalogue},
    {"vat-details", vatDetails},
    {"vat-countries", vatCountries},
    {"postage", postage},
    {"admin-password", adminPassword},
    {"flavours", flavours},
    {"terms", terms},
    {"location", location},
    {"preview-settings", previewSettings},
    {"column-assignments", columnAssignments},
    {"merchant-details", merchantDetails},
};

bool openShop(Session& s, const std::string& name)
{
    if (!StartUp(s.state, s.ui))
        return false;
    ShopChooser chooser(ShopChooser::Mode::Open);
    chooser.fill(s.state);
    const auto& shops = chooser.shops();
    const auto found = std::find(shops.begin(), shops.end(), name);
    if (found == shops.end()) {
        s.ui.message(ShopChooser::missingShopMessage, MessageKind::Error);
        return false;
    }
    chooser.select(static_cast<int>(found - shops.begin()));
    return chooser.confirm(s.state, s.ui) && OpenChosenShop(s.state, s.editor, s.ui);
}

int run(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr << "usage: quaystall-fault-driver PROGRAM_FOLDER SHOP OPERATION [TABLE]\n";
        return 2;
    }
    const auto operation = std::find_if(std::begin(operations), std::end(operations),
                                        [&](const Operation& o) { return o.name == argv[3]; });
    if (operation == std::end(operations)) {
        std::cerr << "no operation " << argv[3] << '\n';
        return 2;
    }
    Session s{AppState(argv[1]), {}, {}, argc > 4 ? argv[4] : ""};
    bool succeeded = false;
    try {
        succeeded = openShop(s, argv[2]) && operation->perform(s);
    } catch (const std::exception& error) {
        s.ui.message(error.what(), MessageKind::Error);
    }
    bool errorTold = false;
    for (const auto& said : s.ui.said) {
        std::cerr << said.text << '\n';
        errorTold = errorTold || said.kind == MessageKind::Error;
    }
    return succeeded && !errorTold ? 0 : 1;
}

} // namespace
} // namespace qs

int main(int argc, char** argv)
{
    return qs::run(argc, argv);
}
