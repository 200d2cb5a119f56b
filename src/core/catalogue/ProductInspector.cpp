#include "core/catalogue/ProductInspector.h"

#include "core/catalogue/ShopReadableValue.h"

#include "core/catalogue/TNewProduct.h"
#include "core/catalogue/ValueRules.h"
#include "core/fields/FieldDefinitions.h"
#include "core/text/SplitText.h"
#include "core/ui/UserInterface.h"

namespace qs {

namespace {

constexpr std::string_view optionsField = "Options";

bool onlySeparators(std::string_view value)
{
    return value.find_first_not_of('|') == std::string_view::npos;
}

} // namespace

ProductInspector::ProductInspector(const FieldDefinitions& definitions, const TNewProduct& product)
    : caption_(product.name()), typeCount_(SplitText(product.effectiveField(typeRow), '|').size())
{
    for (std::size_t i = 0; i < definitions.count(); ++i) {
        const std::string_view name = definitions.FieldNameAt(static_cast<std::ptrdiff_t>(i));
        if (definitions.attributeAt(i, FieldDefinitions::Extensible) != "Yes" || name == optionsField)
            continue;
        Row& row = rows_.emplace_back();
        row.name = name;
        row.original = product.effectiveField(name);
        const auto pieces = SplitText(row.original, '|');
        row.cells.resize(typeCount_);
        for (std::size_t piece = 0; piece < pieces.size(); ++piece) {
            if (piece < typeCount_)
                row.cells[piece] = pieces[piece];
            else
                row.hidden.emplace_back(pieces[piece]);
        }
    }
}

std::string ProductInspector::cellNote(std::size_t row, std::size_t type) const
{
    return unreadableValueNote(rows_[row].name, rows_[row].cells[type], true);
}

void ProductInspector::setCell(std::size_t row, std::size_t type, std::string text)
{
    std::string& cell = rows_[row].cells[type];
    if (cell == text)
        return;
    cell = std::move(text);
    rows_[row].changed = true;
}

bool ProductInspector::newType(UserInterface& ui)
{
    const std::optional<std::string> name = ui.inputText("New type for " + caption_ + ":-", "", "");
    if (!name || name->empty())
        return false;
    if (name->find('|') != std::string::npos) {
        ui.message(separatorRefusal, MessageKind::Warning);
        return false;
    }
    for (Row& row : rows_) {
        row.cells.push_back(row.name == typeRow ? *name : std::string());
        row.changed = true;
    }
    ++typeCount_;
    return true;
}

bool ProductInspector::deleteType(std::size_t type, UserInterface& ui)
{
    if (type >= typeCount_ ||
        ui.ask(deleteTypeQuestion, MessageKind::Confirmation, Buttons::YesNo) != Answer::Yes)
        return false;
    for (Row& row : rows_) {
        row.cells.erase(row.cells.begin() + static_cast<std::ptrdiff_t>(type));
        row.changed = true;
    }
    --typeCount_;
    return true;
}

std::string ProductInspector::joined(const Row& row)
{
    std::string value;
    for (std::size_t i = 0; i < row.cells.size(); ++i)
        value.append(i ? "|" : "").append(row.cells[i]);
    // With no type left the value still stands for one unnamed type, so the
    // hidden pieces stay beyond it.
    for (const std::string& piece : row.hidden)
        value.append("|").append(piece);
    return value;
}

std::optional<ProductInspector::FieldChanges> ProductInspector::confirm(UserInterface& ui) const
{
    FieldChanges changes;
    for (const Row& row : rows_) {
        if (!row.changed)
            continue;
        for (const std::string& cell : row.cells) {
            if (cell.find('|') != std::string::npos) {
                ui.message(separatorRefusal, MessageKind::Warning);
                return std::nullopt;
            }
        }
        std::string value = joined(row);
        // A field without values gains none from a change of the types.
        if (value == row.original || (row.original.empty() && onlySeparators(value)))
            continue;
        if (const std::string refusal = valueRefusal(row.name, value); !refusal.empty()) {
            ui.message(refusal, MessageKind::Warning);
            return std::nullopt;
        }
        changes.emplace_back(row.name, std::move(value));
    }
    return changes;
}

} // namespace qs
