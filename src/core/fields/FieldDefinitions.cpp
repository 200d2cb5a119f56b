#include "core/fields/FieldDefinitions.h"

#include "core/fields/CommaList.h"
#include "core/text/CaseFold.h"
#include "core/text/FileError.h"
#include "core/text/LineSplitter.h"
#include "core/text/ReadFile.h"

namespace qs {

const std::vector<std::string>& FieldDefinitions::builtInLines()
{
    static const std::vector<std::string> lines = {
        R"(Product Name=Text,Mandatory,"The name of the product as the user will see it.","Every product must have a unique product name.",Yes,No)",
        R"(Weight=Decimal,Mandatory,"The weight of the product, in units you can specify.","The weight of each product is required by the system to calculate shipping costs.",No,Yes)",
        R"(Price=Decimal,Mandatory,"The price of the product, inclusive of VAT.","Price must be specified for each product, with free products having a price of zero.",No,Yes)",
        R"(Description=Text,Recommended,"A short description of the product which can be displayed to the user.","Including descriptions for your products will make your site more customer-friendly.",No,No)",
        R"(Picture=Special,Optional,"The filename for a picture associated with this product.","Including pictures of your products can make your site more attractive, but will probably make it slightly slower to use.",No,No)",
        R"(Tax Code=Text,Recommended,"The VAT or other tax code for this product.","A product without a tax code, or with one that is not among your VAT codes, is charged no VAT.",No,No)",
        R"(Catalogue Number=Text,Optional,"Your inventory or catalogue number for this product.","Quaystall DB does not require this to operate.",Yes,No)",
        R"(Product Template=Special,Optional,"The html file to use as a template for this displaying product.","Specifying a template allows the product to be displayed on a customised page.",No,No)",
        R"(Category=Text,Optional,"The category this product belongs to.","If you do not specify a category, Quaystall DB will assume you want to use the one currently selected in the Catalogue Manager.",No,No)",
        R"(Options=Special,Optional,"The options available on this product.","You can specify variations on a product which do not affect its price such as colour or style.",No,Yes)",
        R"(Type=Text,Optional,"The types this product is available in.","You can set up different types of the same product.",No,Yes)",
        R"(Custom Field 1=Text,Optional,"A custom field for your use.","A custom field for your use.",No,No)",
        R"(Custom Field 2=Text,Optional,"A custom field for your use.","A custom field for your use.",No,No)",
        R"(Custom Field 3=Text,Optional,"A custom field for your use.","A custom field for your use.",No,No)",
    };
    return lines;
}

FieldDefinitions::FieldDefinitions()
{
    setLines(builtInLines());
}

void FieldDefinitions::setLines(const std::vector<std::string>& lines)
{
    entries_.clear();
    entries_.reserve(lines.size());
    for (const std::string& line : lines) {
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            entries_.push_back(Entry{});
        else
            entries_.push_back(
                Entry{line.substr(0, eq), parseCommaList(std::string_view(line).substr(eq + 1))});
    }
}

bool FieldDefinitions::DefinitionsLoad(const std::string& path)
{
    std::string bytes;
    try {
        bytes = readFileBytes(path);
    } catch (const FileError&) {
        return false;
    }
    setBytes(bytes);
    return true;
}

void FieldDefinitions::setBytes(std::string_view bytes)
{
    std::vector<std::string> lines;
    forEachLine(bytes, [&](std::string_view line) { lines.emplace_back(line); });
    setLines(lines);
}

std::string_view FieldDefinitions::FieldNameAt(std::ptrdiff_t position) const
{
    if (position < 0 || static_cast<std::size_t>(position) >= entries_.size())
        return {};
    return entries_[static_cast<std::size_t>(position)].name;
}

std::ptrdiff_t FieldDefinitions::FieldIndex(std::string_view name) const
{
    if (name.empty())
        return -1;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (equalsIgnoreCase(entries_[i].name, name))
            return static_cast<std::ptrdiff_t>(i);
    return -1;
}

std::string_view FieldDefinitions::attributeAt(std::size_t index, std::size_t position) const
{
    if (index >= entries_.size())
        return {};
    const auto& attributes = entries_[index].attributes;
    return position < attributes.size() ? std::string_view(attributes[position]) : std::string_view();
}

std::string_view FieldDefinitions::FieldAttribute(std::string_view name, std::size_t position) const
{
    const auto index = FieldIndex(name);
    return index < 0 ? std::string_view() : attributeAt(static_cast<std::size_t>(index), position);
}

} // namespace qs
