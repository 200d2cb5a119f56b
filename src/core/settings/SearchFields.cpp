#include "core/settings/SearchFields.h"

#include "core/catalogue/CatalogueFile.h"
#include "core/fields/FieldDefinitions.h"
#include "core/settings/ShopSettings.h"
#include "core/settings/StoredText.h"
#include "core/text/CaseFold.h"
#include "core/text/ConversionError.h"
#include "core/text/IntegerText.h"
#include "core/text/SplitText.h"
#include "core/ui/UserInterface.h"

#include <utility>

namespace qs {

namespace {

std::optional<std::size_t> columnOf(std::string_view field)
{
    for (std::size_t i = 0; i < TXTFields.size(); ++i)
        if (equalsIgnoreCase(TXTFields[i], field))
            return i;
    return std::nullopt;
}

} // namespace

bool SearchFields::fill(const ShopSettings& settings, const FieldDefinitions& fields, UserInterface& ui)
{
    offered.clear();
    for (std::size_t i = 0; i < fields.count(); ++i) {
        const std::string_view name = fields.FieldNameAt(static_cast<std::ptrdiff_t>(i));
        if (columnOf(name))
            offered.emplace_back(name);
    }
    chosen.clear();
    for (const std::string_view entry : SplitText(settings.value("searchfields"), ',')) {
        if (entry.empty())
            continue;
        const std::size_t colon = entry.find(':');
        const std::string_view number = entry.substr(0, colon);
        std::int32_t column = 0;
        try {
            column = toInt32(number);
        } catch (const ConversionError& error) {
            ui.message(error.what(), MessageKind::Error);
            return false;
        }
        if (column < 0 || static_cast<std::size_t>(column) >= TXTFields.size()) {
            ui.message("'" + std::string(number) + "' is not a valid field number", MessageKind::Error);
            return false;
        }
        const std::string name(TXTFields[static_cast<std::size_t>(column)]);
        const std::string label =
            colon == std::string_view::npos ? name : std::string(SplitText(entry.substr(colon + 1), ':')[0]);
        bool listed = false;
        for (const Choice& choice : chosen)
            listed = listed || choice.column == static_cast<std::size_t>(column);
        if (!listed)
            chosen.push_back({static_cast<std::size_t>(column), name, label});
    }
    return true;
}

std::optional<std::size_t> SearchFields::add(std::string_view field)
{
    const std::optional<std::size_t> column = columnOf(field);
    if (!column)
        return std::nullopt;
    for (const Choice& choice : chosen)
        if (choice.column == *column)
            return std::nullopt;
    chosen.push_back({*column, std::string(field), std::string(field)});
    return chosen.size() - 1;
}

void SearchFields::remove(std::size_t row)
{
    if (row < chosen.size())
        chosen.erase(chosen.begin() + static_cast<std::ptrdiff_t>(row));
}

bool SearchFields::changeLabel(std::size_t row, std::string_view label, UserInterface& ui)
{
    if (row >= chosen.size())
        return false;
    const std::string refusal =
        separatorRefusal("A label", label, {",", ":", tabSeparator, lineBreakSeparator});
    if (!refusal.empty()) {
        ui.message(refusal, MessageKind::Warning);
        return false;
    }
    chosen[row].label = label;
    return true;
}

std::optional<std::size_t> SearchFields::move(std::size_t row, int step)
{
    const std::size_t target = row + static_cast<std::size_t>(step);
    if (row >= chosen.size() || target >= chosen.size())
        return std::nullopt;
    std::swap(chosen[row], chosen[target]);
    return target;
}

void SearchFields::accept(ShopSettings& settings) const
{
    std::string value;
    for (const Choice& choice : chosen)
        value.append(value.empty() ? "" : ",")
            .append(std::to_string(choice.column))
            .append(":")
            .append(choice.label);
    settings.setValue("searchfields", value);
}

} // namespace qs
