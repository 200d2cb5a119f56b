#include "core/settings/ProductOptions.h"

#include "core/app/AppState.h"
#include "core/text/ConversionError.h"
#include "core/text/FileError.h"
#include "core/text/IntegerText.h"
#include "core/text/SplitText.h"
#include "core/ui/UserInterface.h"

#include <filesystem>
#include <utility>

namespace qs {

ProductOptions::ProductOptions(AppState& state, UserInterface& ui) : state_(state), ui_(ui) {}

std::string ProductOptions::filePath() const
{
    return joinPath(state_.ShopDataDir(), flavoursFileName);
}

bool ProductOptions::open(std::string_view value)
{
    return readFile() && tickValue(value);
}

bool ProductOptions::readFile()
{
    // Each shop starts from its own file: options left from another shop
    // would be written into this one.
    options_.clear();
    const std::string path = filePath();
    try {
        options_ = readFlavoursFile(path);
    } catch (const FileError& error) {
        std::error_code ignored;
        if (std::filesystem::exists(path, ignored)) {
            // Replacing a file that is there but unreadable would lose it.
            ui_.message(error.what(), MessageKind::Error);
            return false;
        }
        ui_.message(noFileMessage, MessageKind::Warning);
    }
    ticked_.assign(options_.size(), false);
    return true;
}

bool ProductOptions::tickValue(std::string_view value)
{
    for (const std::string_view piece : SplitText(value, '|')) {
        if (piece.empty())
            continue;
        std::int32_t position = 0;
        try {
            position = toInt32(piece);
        } catch (const ConversionError& error) {
            ui_.message(error.what(), MessageKind::Error);
            return false;
        }
        if (!validOption(position)) {
            ui_.message("'" + std::string(piece) + "' is not the number of an option in the variations file.",
                        MessageKind::Error);
            return false;
        }
        ticked_[static_cast<std::size_t>(position)] = true;
    }
    return true;
}

bool ProductOptions::validOption(int option) const
{
    return option >= 0 && static_cast<std::size_t>(option) < options_.size();
}

bool ProductOptions::validVariation(int option, int variation) const
{
    return validOption(option) && variation >= 0 &&
           static_cast<std::size_t>(variation) < options_[static_cast<std::size_t>(option)].variations.size();
}

bool ProductOptions::ticked(int option) const
{
    return validOption(option) && ticked_[static_cast<std::size_t>(option)];
}

void ProductOptions::setTicked(int option, bool ticked)
{
    if (validOption(option))
        ticked_[static_cast<std::size_t>(option)] = ticked;
}

std::optional<std::string> ProductOptions::askName(std::string_view caption, std::string_view prompt,
                                                   std::string_view initial)
{
    std::optional<std::string> answer = ui_.inputText(caption, prompt, initial);
    if (!answer || answer->empty())
        return std::nullopt;
    if (answer->find_first_of("\t\r\n") != std::string::npos) {
        ui_.message(separatorRefusal, MessageKind::Warning);
        return std::nullopt;
    }
    return answer;
}

bool ProductOptions::addOption()
{
    std::optional<std::string> name = askName("New Option", "Enter the name of the new option:-", "");
    if (!name)
        return false;
    options_.push_back({std::move(*name), {}});
    ticked_.push_back(false);
    return true;
}

bool ProductOptions::editOption(int option)
{
    if (!validOption(option))
        return false;
    std::string& name = options_[static_cast<std::size_t>(option)].name;
    std::optional<std::string> answer = askName("Edit Option", "Enter the new name for this option:-", name);
    if (!answer)
        return false;
    name = std::move(*answer);
    return true;
}

bool ProductOptions::deleteOption(int option)
{
    if (!validOption(option) ||
        ui_.ask(deleteOptionQuestion, MessageKind::Warning, Buttons::YesNo) != Answer::Yes)
        return false;
    options_.erase(options_.begin() + option);
    ticked_.erase(ticked_.begin() + option);
    return true;
}

bool ProductOptions::addVariation(int option)
{
    if (!validOption(option))
        return false;
    std::optional<std::string> text = askName("New Variation", "Enter the name of the new variation:-", "");
    if (!text)
        return false;
    options_[static_cast<std::size_t>(option)].variations.push_back(std::move(*text));
    return true;
}

bool ProductOptions::editVariation(int option, int variation)
{
    if (!validVariation(option, variation))
        return false;
    std::string& text =
        options_[static_cast<std::size_t>(option)].variations[static_cast<std::size_t>(variation)];
    // The system asks with the option's caption and prompt here too.
    std::optional<std::string> answer = askName("Edit Option", "Enter the new name for this option:-", text);
    if (!answer)
        return false;
    text = std::move(*answer);
    return true;
}

bool ProductOptions::deleteVariation(int option, int variation)
{
    if (!validVariation(option, variation))
        return false;
    auto& variations = options_[static_cast<std::size_t>(option)].variations;
    const std::string question = "Delete " + variations[static_cast<std::size_t>(variation)] + "?";
    if (ui_.ask(question, MessageKind::Confirmation, Buttons::YesNo) != Answer::Yes)
        return false;
    variations.erase(variations.begin() + variation);
    return true;
}

int ProductOptions::moveVariation(int option, int variation, int step)
{
    state_.SettingsModified = true;
    const int target = variation + step;
    if (!validVariation(option, variation) || !validVariation(option, target))
        return variation;
    auto& variations = options_[static_cast<std::size_t>(option)].variations;
    std::swap(variations[static_cast<std::size_t>(variation)], variations[static_cast<std::size_t>(target)]);
    return target;
}

std::string ProductOptions::value() const
{
    std::string joined;
    for (std::size_t i = 0; i < ticked_.size(); ++i)
        if (ticked_[i])
            joined.append(joined.empty() ? "" : "|").append(std::to_string(i));
    return joined;
}

std::optional<std::string> ProductOptions::confirm()
{
    try {
        writeFlavoursFile(filePath(), options_);
    } catch (const FileError& error) {
        ui_.message(error.what(), MessageKind::Error);
        return std::nullopt;
    }
    return value();
}

} // namespace qs
