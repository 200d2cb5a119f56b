#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

class ShopSettings;
class UserInterface;

// What the "Catalogue Navigation..." dialog edits: a text for each level of
// the category tree (levtext, the levels' texts joined by TAB, line breaks
// as "<br>") and the number of options shown as radio buttons
// (opt_radio_entries). The dialog shows as many levels as the catalogue is
// deep; texts stored for deeper levels are kept, not cut.
class LevelTexts {
public:
    // On show: the texts and the number; the level shown last stays current
    // while it is one of the levels shown, otherwise the first level is.
    void fill(const ShopSettings& settings, int depth);

    std::size_t levelCount() const { return levels_; }
    std::size_t currentLevel() const { return current_; }
    bool hasPrevious() const { return current_ > 0; }
    bool hasNext() const { return current_ + 1 < levels_; }
    // "Level Text for Navigation Level " and the level counted from 1.
    std::string heading() const;
    // The current level's text with its line breaks as LF.
    std::string text() const;

    // The text area's text into the current level, each of its line breaks
    // (CR LF, LF or CR) as "<br>". A TAB, which separates the levels, is
    // refused (told: false).
    bool store(std::string_view text, UserInterface& ui);
    // Previous and Next, once the text is stored.
    void previous();
    void next();

    // OK: the number, as typed; refused when it holds a line break.
    bool acceptEntries(ShopSettings& settings, std::string_view entries, UserInterface& ui) const;
    // However the dialog closes: the texts, joined by TAB. Texts left as
    // they were shown leave the setting untouched, so that looking at them
    // does not make the shop modified.
    void storeTexts(ShopSettings& settings) const;

    const std::vector<std::string>& texts() const { return texts_; }

private:
    std::vector<std::string> texts_;
    std::vector<std::string> shown_;
    std::size_t levels_ = 1;
    std::size_t current_ = 0;
};

} // namespace qs
