#include "core/settings/LevelTexts.h"

#include "core/catalogue/MemoText.h"
#include "core/settings/ShopSettings.h"
#include "core/settings/ShopSettingsFile.h"
#include "core/settings/StoredText.h"
#include "core/text/SplitText.h"
#include "core/ui/UserInterface.h"

#include <algorithm>

namespace qs {

void LevelTexts::fill(const ShopSettings& settings, int depth)
{
    texts_.clear();
    for (const std::string_view text : SplitText(settings.value("levtext"), '\t'))
        texts_.emplace_back(text);
    // A catalogue shows at least its top level.
    levels_ = static_cast<std::size_t>(std::clamp(depth, 1, maximumCategoryDepth));
    if (texts_.size() < levels_)
        texts_.resize(levels_);
    if (current_ >= levels_)
        current_ = 0;
    shown_ = texts_;
}

std::string LevelTexts::heading() const
{
    return "Level Text for Navigation Level " + std::to_string(current_ + 1);
}

std::string LevelTexts::text() const
{
    return memoText(texts_[current_]);
}

bool LevelTexts::store(std::string_view text, UserInterface& ui)
{
    if (const std::string refusal = separatorRefusal("A level text", text, {tabSeparator});
        !refusal.empty()) {
        ui.message(refusal, MessageKind::Warning);
        return false;
    }
    texts_[current_] = memoValue(text);
    return true;
}

void LevelTexts::previous()
{
    if (hasPrevious())
        --current_;
}

void LevelTexts::next()
{
    if (hasNext())
        ++current_;
}

bool LevelTexts::acceptEntries(ShopSettings& settings, std::string_view entries, UserInterface& ui) const
{
    if (const std::string refusal = separatorRefusal("The number of options", entries, {lineBreakSeparator});
        !refusal.empty()) {
        ui.message(refusal, MessageKind::Warning);
        return false;
    }
    settings.setValue("opt_radio_entries", entries);
    return true;
}

void LevelTexts::storeTexts(ShopSettings& settings) const
{
    if (texts_ == shown_)
        return;
    // Empty texts past the levels shown hold nothing worth keeping.
    std::size_t count = texts_.size();
    while (count > levels_ && texts_[count - 1].empty())
        --count;
    std::string value;
    for (std::size_t i = 0; i < count; ++i)
        value.append(i ? "\t" : "").append(texts_[i]);
    settings.setValue("levtext", value);
}

} // namespace qs
