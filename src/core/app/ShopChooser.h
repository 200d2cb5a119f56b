#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qs {

struct AppState;
class UserInterface;

// The names in the shops registry (ProgramDir/shops), in alphabetical order
// without regard to case. Any entry counts, even a plain file.
std::vector<std::string> listShops(const AppState& state);

// What the "Open a Shop..." dialog decides: which shops it offers, whether
// OK may be pressed, and what OK does with the chosen name. The same dialog
// picks the shop to delete.
class ShopChooser {
public:
    enum class Mode { Open, Delete };

    explicit ShopChooser(Mode mode = Mode::Open) : mode_(mode) {}

    void setMode(Mode mode) { mode_ = mode; }
    Mode mode() const { return mode_; }
    std::string_view caption() const;
    // "&New Shop" is offered only when opening.
    bool newShopVisible() const { return mode_ == Mode::Open; }

    // Each showing lists the registry afresh and selects the first name.
    // When opening, the shop named offeredFirst (the last one opened), if the
    // registry has it, comes first.
    void fill(const AppState& state, std::string_view offeredFirst = {});
    const std::vector<std::string>& shops() const { return shops_; }
    // -1 when the list is empty.
    int selected() const { return selected_; }
    void select(int index);
    bool okEnabled() const { return !shops_.empty(); }

    // OK (or a double-click): the selected shop becomes the shop, or the user
    // hears that it is missing and the dialog stays. True when it may close.
    bool confirm(AppState& state, UserInterface& ui) const;

    static constexpr std::string_view missingShopMessage = "Sorry! This shop seems to be missing.";

private:
    Mode mode_;
    std::vector<std::string> shops_;
    int selected_ = -1;
};

} // namespace qs
