// Any bytes as a shop's settings file (qstl2.cfg) either open the shop or
// stop with a message, and every dialog that shows settings fills from
// them. OK in each dialog without a change, then a save, gives a file from
// which every dialog shows what it showed before, and which the same steps
// leave as it is.
#include "FuzzShop.h"

#include "core/app/AppState.h"
#include "core/app/ShopWorkspace.h"
#include "core/catalogue/EditorState.h"
#include "core/catalogue/grids/ProductGrid.h"
#include "core/settings/CustomerDetails.h"
#include "core/settings/LevelTexts.h"
#include "core/settings/MerchantDetails.h"
#include "core/settings/PaymentMethods.h"
#include "core/settings/SearchFields.h"
#include "core/settings/ShopSettingsFile.h"
#include "core/settings/VatDetails.h"
#include "core/text/AtomicFile.h"
#include "core/text/ReadFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using qs::fuzz::check;
using qs::fuzz::checkSame;

std::string flag(bool value)
{
    return value ? "1" : "0";
}

// Every dialog that shows settings of the shop, as it shows them.
struct SettingsDialogs {
    qs::MerchantDetails merchant;
    qs::PaymentMethods payment;
    qs::CustomerDetails customer;
    qs::LevelTexts levels;
    qs::SearchFields search;
    bool searchOpens = false;
    qs::VatDetails vat;

    void fill(qs::AppState& state, qs::UserInterface& ui)
    {
        const qs::ShopSettings& settings = state.ShopFields;
        merchant.fill(settings);
        payment.fill(settings);
        customer.fill(settings);
        levels.fill(settings, state.MAX_CATEGORY_DEPTH);
        searchOpens = search.fill(settings, state.InfoList, ui);
        state.Postage.show(state.ShopFields, state.ShopDataDir(), ui);
        check(vat.open(state.ShopFields, state.ShopDataDir(), ui),
              "the VAT dialog opens in a shop without shop.tax");
        qs::ProductGrid grid(state.InfoList);
        grid.applyCustomMax(settings);
        check(grid.customMax() >= 0 && grid.customMax() <= qs::ProductGrid::maximumCustomFields,
              "custom fields in range");
    }

    // OK in each dialog, changing nothing.
    void accept(qs::AppState& state, qs::UserInterface& ui)
    {
        qs::ShopSettings& settings = state.ShopFields;
        merchant.accept(settings, ui, qs::MerchantDetails::PaymentAccount::stored(settings));
        payment.accept(settings, ui);
        customer.accept(settings, ui);
        levels.acceptEntries(settings, std::string(settings.value("opt_radio_entries")), ui);
        levels.storeTexts(settings);
        if (searchOpens)
            search.accept(settings);
        check(state.Postage.accept(state, state.ShopDataDir(), ui),
              "the postage dialog's files can be written");
        check(vat.accept(state, state.ShopDataDir(), ui), "the VAT dialog's files can be written");
    }

    std::vector<std::string> shown(const qs::AppState& state) const
    {
        std::vector<std::string> texts = {merchant.merchantName,
                                          merchant.address,
                                          merchant.salesEmail,
                                          merchant.techSupportEmail,
                                          merchant.homePage,
                                          merchant.chequePayee,
                                          std::to_string(payment.chosenMethod),
                                          flag(payment.phoneBack),
                                          flag(payment.mailOrder),
                                          flag(payment.invoice),
                                          payment.accountId,
                                          payment.authorisationType,
                                          payment.paymentUrl,
                                          flag(customer.rememberCustomers),
                                          flag(customer.deleteUnusedRecords),
                                          customer.expiryMonths,
                                          std::to_string(state.Postage.method),
                                          state.Postage.percentage,
                                          flag(state.Postage.vatIncluded),
                                          state.Postage.weightUnit,
                                          flag(vat.ignoreVat),
                                          std::to_string(vat.priceDetails),
                                          flag(searchOpens)};
        texts.insert(texts.end(), levels.texts().begin(), levels.texts().end());
        for (const auto& choice : search.chosen)
            texts.insert(texts.end(), {std::to_string(choice.column), choice.label});
        return texts;
    }
};

struct Shown {
    std::vector<std::string> dialogs;
    std::string settingsFile;
};

// Opens the shop, fills every dialog, presses OK in each and saves the
// settings; nothing when the open stopped.
std::optional<Shown> openAcceptAndSave(const qs::fuzz::FuzzShop& shop)
{
    qs::AppState state(shop.programDir());
    shop.enter(state);
    qs::EditorState editor;
    qs::fuzz::QuietUser user;
    if (!qs::OpenChosenShop(state, editor, user))
        return std::nullopt;
    check(state.MAX_CATEGORY_DEPTH >= 1 && state.MAX_CATEGORY_DEPTH <= qs::maximumCategoryDepth,
          "the catalogue depth is in range");
    SettingsDialogs dialogs;
    dialogs.fill(state, user);
    Shown shown{dialogs.shown(state), {}};
    dialogs.accept(state, user);
    qs::MerchantDetails::save(state, state);
    shown.settingsFile = qs::readFileBytes(qs::shopSettingsFile(state));
    return shown;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qs::fuzz::FuzzShop shop;
    qs::writeFileAtomically(shop.cgiFile(qs::settingsFileName), qs::fuzz::bytesOf(data, size));
    const auto first = openAcceptAndSave(shop);
    if (!first)
        return 0;
    const auto second = openAcceptAndSave(shop);
    check(second.has_value(), "settings the program saved open");
    check(second->dialogs == first->dialogs, "every dialog shows what it showed before the save");
    checkSame(first->settingsFile, second->settingsFile, "qstl2.cfg stays the same");
    return 0;
}
