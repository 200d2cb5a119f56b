#include "core/publish/MissingPictures.h"

#include "core/app/AppState.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/FieldNames.h"
#include "core/catalogue/TNewCategory.h"
#include "core/catalogue/TNewProduct.h"

#include <filesystem>
#include <map>

namespace qs {
namespace {

struct Naming {
    std::string first; // who names the picture first
    std::size_t count = 0;
};

using Namings = std::map<std::string, Naming, std::less<>>;

void note(Namings& namings, std::string_view picture, const auto& who)
{
    if (picture.empty())
        return;
    auto found = namings.find(picture);
    if (found == namings.end())
        found = namings.emplace(std::string(picture), Naming{who(), 0}).first;
    ++found->second.count;
}

void collect(const TNewCategory& category, FieldId picture, Namings& namings)
{
    if (!category.isRoot())
        note(namings, category.detail(pictureField), [&] { return "the category " + category.path(); });
    for (const auto& product : category.products())
        note(namings, product->effectiveField(picture),
             [&] { return "the product " + std::string(product->name()) + " in " + category.path(); });
    for (const auto& child : category.children())
        collect(*child, picture, namings);
}

bool inFolder(const std::string& imageFolder, const std::string& name)
{
    std::error_code ec;
    return name.find('/') == std::string::npos &&
           std::filesystem::is_regular_file(joinPath(imageFolder, name), ec);
}

} // namespace

std::vector<std::string> missingPictures(const Catalogue& catalogue, const std::string& imageFolder)
{
    Namings namings;
    collect(catalogue.root(), FieldNames::intern(pictureField), namings);
    std::vector<std::string> lines;
    std::size_t missing = 0;
    for (const auto& [name, naming] : namings) {
        if (inFolder(imageFolder, name))
            continue;
        if (++missing > missingPicturesListed)
            continue;
        std::string line = "The picture " + name + ", named by " + naming.first;
        if (naming.count > 1)
            line += " and " + std::to_string(naming.count - 1) + " more";
        lines.push_back(line + ", is no file of the image folder " + imageFolder + ".");
    }
    if (missing > missingPicturesListed)
        lines.push_back("... and " + std::to_string(missing - missingPicturesListed) +
                        " more pictures that are no file of the image folder.");
    return lines;
}

} // namespace qs
