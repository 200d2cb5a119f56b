#include "core/app/ShopChooser.h"

#include "core/app/AppState.h"
#include "core/app/ShopWorkspace.h"
#include "core/text/CaseFold.h"
#include "core/text/FileOps.h"
#include "core/ui/UserInterface.h"

#include <algorithm>
#include <filesystem>

namespace qs {
namespace fs = std::filesystem;

std::vector<std::string> listShops(const AppState& state)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(shopsRegistry(state), ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string foldedA = lowerCased(a);
        const std::string foldedB = lowerCased(b);
        return foldedA != foldedB ? foldedA < foldedB : a < b;
    });
    return names;
}

std::string_view ShopChooser::caption() const
{
    return mode_ == Mode::Open ? "Open a Shop..." : "Delete a Shop...";
}

void ShopChooser::fill(const AppState& state, std::string_view offeredFirst)
{
    shops_ = listShops(state);
    const auto first = std::find(shops_.begin(), shops_.end(), offeredFirst);
    if (mode_ == Mode::Open && first != shops_.end())
        std::rotate(shops_.begin(), first, first + 1);
    selected_ = shops_.empty() ? -1 : 0;
}

void ShopChooser::select(int index)
{
    if (index >= 0 && static_cast<std::size_t>(index) < shops_.size())
        selected_ = index;
}

bool ShopChooser::confirm(AppState& state, UserInterface& ui) const
{
    if (selected_ < 0)
        return false;
    const std::string& name = shops_[static_cast<std::size_t>(selected_)];
    if (!DirExists(shopMarker(state, name))) {
        ui.message(missingShopMessage, MessageKind::Information);
        return false;
    }
    state.ShopName = name;
    return true;
}

} // namespace qs
