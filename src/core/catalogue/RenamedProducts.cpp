#include "core/catalogue/RenamedProducts.h"

#include "core/catalogue/TNewCategory.h"
#include "core/catalogue/TNewProduct.h"
#include "core/ui/UserInterface.h"

namespace qs {

void RenamedProducts::Kind::add(std::string line)
{
    if (lines.size() < listed)
        lines.push_back(std::move(line));
    ++count;
}

std::string RenamedProducts::Kind::message(std::string_view heading) const
{
    std::string text(heading);
    for (const std::string& line : lines)
        text.append("\r\n").append(line);
    if (count > lines.size())
        text.append("\r\n... and ").append(std::to_string(count - lines.size())).append(" more.");
    return text;
}

std::string RenamedProducts::where(const TNewProduct& product)
{
    return product.Category->path() + ", ID " + std::to_string(product.ID);
}

void RenamedProducts::unnamed(const TNewProduct& product)
{
    unnamed_.add(where(product) + ": now " + std::string(product.name()));
}

void RenamedProducts::duplicate(std::string_view wantedName, const TNewProduct& product)
{
    duplicates_.add(where(product) + ": " + std::string(wantedName) + " is now " +
                    std::string(product.name()));
}

void RenamedProducts::tell(UserInterface& ui) const
{
    if (unnamed_.count > 0)
        ui.message(unnamed_.message(unnamedHeading), MessageKind::Warning);
    if (duplicates_.count > 0)
        ui.message(duplicates_.message(duplicateHeading), MessageKind::Warning);
}

} // namespace qs
