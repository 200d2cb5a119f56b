#include "core/catalogue/CatalogueFile.h"

#include "core/catalogue/CatalogueLineFields.h"
#include "core/catalogue/OpenCatalogue.h"
#include "core/catalogue/RenamedProducts.h"
#include "core/text/FileError.h"
#include "core/text/FileOps.h"
#include "core/text/IntegerText.h"
#include "core/text/JoinPath.h"
#include "core/text/LineReader.h"
#include "core/text/LineSplitter.h"
#include "core/text/SplitText.h"
#include "core/ui/Progress.h"
#include "core/ui/UserInterface.h"

#include <stdexcept>

namespace qs {
namespace {

// A line that stops the load, with the system's message for it.
class CatalogueLineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The catalogue files write "::" after every field but the last of a line,
// and after the name of every category in header_data.log: a field or name
// ending with ":" would run into it, and the saved files would read
// differently. A line the program writes never has one; a line that stops
// before its last column can.
bool hasNameEndingWithColon(std::string_view path)
{
    return path.ends_with(':') || path.find(":|") != std::string_view::npos;
}

void refuseTrailingColon(const CatalogueLineFields<catalogueColumnCount>& split, std::string_view path)
{
    const std::size_t last = split.count - 1;
    if (last + 1 < catalogueColumnCount && split.fields[last].ends_with(':'))
        throw CatalogueLineError("The " + std::string(last == 1 ? productNameField : TXTFields[last]) +
                                 " of a catalogue line ends with \":\", which would run into the field after "
                                 "it when the catalogue is saved");
    if (hasNameEndingWithColon(path))
        throw CatalogueLineError("A category name of a catalogue line ends with \":\", which would run into "
                                 "the field after it in " +
                                 std::string(categoryFileName) + " when the catalogue is saved");
}

// Finds the category each path names, creating what is missing: the names
// joined by "|" from the top level down, a name equal to the category just
// reached merging into it. Both files list their lines in tree order, so a
// path is mostly the last one again or one of its sub-categories; the walk
// then goes on from the last category rather than from the root. It reaches
// the same category, as a walk only adds categories after their namesakes.
class CategoryFinder {
public:
    explicit CategoryFinder(Catalogue& catalogue) : catalogue_(catalogue) {}

    TNewCategory& at(std::string_view path)
    {
        if (last_ && path.starts_with(lastPath_)) {
            if (path.size() == lastPath_.size())
                return *last_;
            if (path[lastPath_.size()] == '|')
                return remember(path, walk(*last_, path.substr(lastPath_.size() + 1)));
        }
        return remember(path, walk(catalogue_.root(), path));
    }

private:
    TNewCategory& walk(TNewCategory& from, std::string_view names)
    {
        TNewCategory* node = &from;
        forEachPiece(names, '|', [&](std::string_view name) {
            if (!node->isRoot() && node->text() == name)
                return;
            TNewCategory* child = node->childNamed(name);
            node = child ? child : &catalogue_.addCategory(*node, name);
        });
        return *node;
    }

    TNewCategory& remember(std::string_view path, TNewCategory& category)
    {
        lastPath_.assign(path);
        last_ = &category;
        return category;
    }

    Catalogue& catalogue_;
    std::string lastPath_;
    TNewCategory* last_ = nullptr;
};

// Reads the lines of shop.data into the catalogue.
class ProductLineReader {
public:
    ProductLineReader(Catalogue& catalogue, RenamedProducts& renamed)
        : catalogue_(catalogue), renamed_(renamed), categories_(catalogue)
    {
    }

    void read(std::string_view line)
    {
        const CatalogueLineFields<catalogueColumnCount> split(line);
        // Lines without a category path are skipped, however many fields they have.
        if (split.count < 2 || split.fields[1].empty())
            return;
        const std::string_view pathAndName = split.fields[1];
        const auto lastBar = pathAndName.rfind('|');
        if (lastBar == std::string_view::npos)
            return;
        if (split.tooMany)
            throw CatalogueLineError("A catalogue line has more than " +
                                     std::to_string(catalogueColumnCount) + " fields");
        refuseTrailingColon(split, pathAndName.substr(0, lastBar));
        // A line with a bad ID stops the load before it changes anything.
        const std::int64_t id = toInt64(split.fields[0]);
        const std::string_view wantedName = pathAndName.substr(lastBar + 1);
        TNewCategory& category = categories_.at(pathAndName.substr(0, lastBar));

        FieldRecord::Builder& fields = fields_;
        fields.add(FieldNames::ProductName, wantedName);
        fields.add(FieldNames::Category, category.text());
        // The standard fields are numbered in column order.
        for (std::size_t column = FieldNames::FirstFileColumn; column < split.count; ++column)
            if (split.fields[column] != "n/a")
                fields.add(static_cast<FieldId>(column), split.fields[column]);
        TNewProduct& product = catalogue_.createProduct(category, fields.finish());
        catalogue_.setProductID(product, id);
        if (wantedName.empty())
            renamed_.unnamed(product);
        else if (product.name() != wantedName)
            renamed_.duplicate(wantedName, product);
    }

private:
    Catalogue& catalogue_;
    RenamedProducts& renamed_;
    CategoryFinder categories_;
    FieldRecord::Builder fields_;
};

// Shows how far the reading has come. The bar counts bytes, not lines, so that
// a big file is read once rather than counted first; it moves in steps of a
// thousandth, so that showing it costs nothing beside the reading.
class LoadProgress {
public:
    LoadProgress(Progress& progress, std::uint64_t total) : progress_(progress), total_(total)
    {
        progress_.setLabel("Loading catalogue data...");
        progress_.setRange(0, static_cast<long long>(total));
        progress_.setPosition(0);
        progress_.show();
    }
    ~LoadProgress() { progress_.hide(); }
    LoadProgress(const LoadProgress&) = delete;
    LoadProgress& operator=(const LoadProgress&) = delete;

    void reached(std::uint64_t position)
    {
        if (position < next_)
            return;
        progress_.setPosition(static_cast<long long>(position));
        next_ = position + total_ / 1000 + 1;
    }

private:
    Progress& progress_;
    std::uint64_t total_;
    std::uint64_t next_ = 0;
};

// Reads the product lines one at a time, naming the line of the file that
// stopped the load.
class NumberedProductLines {
public:
    NumberedProductLines(Catalogue& catalogue, RenamedProducts& renamed, std::string_view source)
        : products_(catalogue, renamed), source_(source)
    {
    }

    void read(std::string_view line)
    {
        ++lineNumber_;
        try {
            products_.read(line);
        } catch (const std::runtime_error& e) {
            throw CatalogueLineError(std::string(e.what()) + "\n(line " + std::to_string(lineNumber_) +
                                     " of " + std::string(source_) + ")");
        }
    }

private:
    ProductLineReader products_;
    std::string_view source_;
    std::size_t lineNumber_ = 0;
};

void readProductFile(Catalogue& catalogue, UserInterface& ui, const std::string& path,
                     RenamedProducts& renamed)
{
    LineReader reader(path);
    LoadProgress progress(ui.progress(), reader.size());
    NumberedProductLines products(catalogue, renamed, path);
    std::string_view line;
    while (reader.next(line)) {
        products.read(line);
        progress.reached(reader.position());
    }
}

// Whether the category a line of header_data.log names would be saved under
// the same path. A name ending with ":" would run into the "::" after it.
// A path of nothing but empty names leads to an unnamed top-level category,
// whose own line has an empty path, which names no category.
bool savesAsItReads(std::string_view path)
{
    return path.find_first_not_of('|') != std::string_view::npos && !hasNameEndingWithColon(path);
}

// Sets the description, picture and template of the category a line of
// header_data.log names, making it when no product made it; other lines
// change nothing.
void readCategoryLine(CategoryFinder& categories, std::string_view line)
{
    // The fields after the sixth are not read.
    const CatalogueLineFields<6> split(line);
    const auto& fields = split.fields;
    if (split.count < 6 || !savesAsItReads(fields[1]))
        return;
    TNewCategory& category = categories.at(fields[1]);
    category.setDetail(descriptionField, fields[2]);
    category.setDetail(pictureField, fields[4]);
    category.setDetail(templateField, fields[5]);
}

// A missing or damaged file only leaves the details empty.
void readCategoryFile(Catalogue& catalogue, const std::string& path)
{
    try {
        LineReader reader(path);
        CategoryFinder categories(catalogue);
        std::string_view line;
        while (reader.next(line))
            readCategoryLine(categories, line);
    } catch (const FileError&) {
    }
}

// Empties the catalogue, fills it with readProducts and readCategories and
// sorts it; tells the user what stopped the products, and gives false then.
template <typename ReadProducts, typename ReadCategories>
bool rebuildCatalogue(OpenCatalogue& open, UserInterface& ui, ReadProducts&& readProducts,
                      ReadCategories&& readCategories)
{
    RenamedProducts renamed;
    {
        Catalogue::BulkChange bulk(open.catalogue);
        // Steps of the catalogue before would point into records about to go.
        open.history.clear();
        open.catalogue.clear();
        try {
            readProducts(renamed);
        } catch (const std::exception& e) {
            ui.message(e.what(), MessageKind::Error);
            return false;
        }
        readCategories();
        open.catalogue.sortAlphabetically();
    }
    // Once the tree shows what was loaded.
    renamed.tell(ui);
    return true;
}

} // namespace

bool LoadCatalogue(OpenCatalogue& open, UserInterface& ui, const std::string& shopDataPath,
                   const std::string& dataDir)
{
    if (shopDataPath.empty())
        return true;
    return rebuildCatalogue(
        open, ui,
        [&](RenamedProducts& renamed) {
            MakeDirPath(dataDir);
            readProductFile(open.catalogue, ui, shopDataPath, renamed);
        },
        [&] { readCategoryFile(open.catalogue, joinPath(dataDir, std::string(categoryFileName))); });
}

bool LoadCatalogueBytes(OpenCatalogue& open, UserInterface& ui, std::string_view productBytes,
                        std::string_view categoryBytes)
{
    return rebuildCatalogue(
        open, ui,
        [&](RenamedProducts& renamed) {
            NumberedProductLines products(open.catalogue, renamed, catalogueFileName);
            forEachLine(productBytes, [&](std::string_view line) { products.read(line); });
        },
        [&] {
            CategoryFinder categories(open.catalogue);
            forEachLine(categoryBytes, [&](std::string_view line) { readCategoryLine(categories, line); });
        });
}

} // namespace qs
