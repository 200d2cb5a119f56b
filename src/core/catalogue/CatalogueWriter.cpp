#include "core/catalogue/CatalogueFile.h"

#include "core/catalogue/Catalogue.h"
#include "core/text/AtomicFile.h"
#include "core/text/CaseFold.h"

#include <array>
#include <charconv>
#include <vector>

namespace qs {
namespace {

// Visits every category in tree order (a category, then the sub-trees of its
// sub-categories in order) with the path of its parent, each name followed
// by "|". One path string serves the whole walk, so no depth of tree costs
// more than its deepest path.
template <typename Visit> void forEachCategory(const Catalogue& catalogue, Visit&& visit)
{
    struct Level {
        const TNewCategory* node;
        std::size_t nextChild;
        std::size_t pathLength;
    };
    std::string parentPath;
    // Room for the depth of most catalogues at once.
    std::vector<Level> stack;
    stack.reserve(16);
    stack.push_back({&catalogue.root(), 0, 0});
    while (!stack.empty()) {
        Level& level = stack.back();
        const auto& children = level.node->children();
        if (level.nextChild == children.size()) {
            parentPath.resize(level.pathLength);
            stack.pop_back();
            continue;
        }
        const TNewCategory& child = *children[level.nextChild++];
        visit(child, std::string_view(parentPath));
        const std::size_t before = parentPath.size();
        parentPath.append(child.text()).push_back('|');
        stack.push_back({&child, 0, before});
    }
}

// A file as the place lines are appended to. The pieces of the lines gather
// in a text of its own and go to the file's writer a chunk at a time: a call
// to the writer for each piece made a save half as slow again.
class FileOut {
public:
    explicit FileOut(AtomicFileWriter& file) : file_(file) { pending_.reserve(chunkSize); }

    void append(std::string_view bytes)
    {
        pending_.append(bytes);
        if (pending_.size() >= chunkSize)
            flush();
    }

    void flush()
    {
        file_.write(pending_);
        pending_.clear();
    }

private:
    static constexpr std::size_t chunkSize = 64 * 1024;
    AtomicFileWriter& file_;
    std::string pending_;
};

template <typename Out> void appendNumber(Out& out, std::int64_t value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

// The column a category detail of this name gives the default of ("Default "
// and the column's field, in any case), or 0 when it gives none.
std::size_t defaultColumn(std::string_view name)
{
    if (name.size() <= defaultPrefix.size() ||
        !equalsIgnoreCase(name.substr(0, defaultPrefix.size()), defaultPrefix))
        return 0;
    const std::string_view field = name.substr(defaultPrefix.size());
    for (std::size_t column = 2; column < catalogueColumnCount; ++column)
        if (equalsIgnoreCase(field, TXTFields[column]))
            return column;
    return 0;
}

// The category's default for each column, from one pass over its details:
// the first line of a column's name answers, as a look-up by name would.
std::array<std::string_view, catalogueColumnCount> columnDefaults(const TNewCategory& category)
{
    std::array<std::string_view, catalogueColumnCount> defaults{};
    std::array<bool, catalogueColumnCount> found{};
    for (const std::string& line : category.details().lines()) {
        const std::size_t column = defaultColumn(NameValueList::nameOf(line));
        if (column != 0 && !found[column]) {
            found[column] = true;
            defaults[column] = NameValueList::valueOf(line);
        }
    }
    return defaults;
}

// The separators of every column after the first two, one after another.
constexpr std::array<char, (catalogueColumnCount - 2) * fieldSeparator.size()> separatorBytes = [] {
    std::array<char, (catalogueColumnCount - 2) * fieldSeparator.size()> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = fieldSeparator[i % fieldSeparator.size()];
    return bytes;
}();
constexpr std::string_view separatorRun(separatorBytes.data(), separatorBytes.size());

// Appends each line of shop.data, CR LF included, to out.
template <typename Out> void appendProductLines(const Catalogue& catalogue, Out& out)
{
    // The standard fields are numbered in column order, so one small table
    // per product finds each column's own value.
    static_assert(FieldNames::FirstFileColumn == 2 && FieldNames::StandardCount == catalogueColumnCount);

    forEachCategory(catalogue, [&](const TNewCategory& category, std::string_view parentPath) {
        if (category.products().empty())
            return;
        const auto defaults = columnDefaults(category);
        for (const auto& product : category.products()) {
            std::array<std::string_view, FieldNames::StandardCount> own{};
            product->forEachField([&](FieldId id, std::string_view value) {
                if (id < own.size())
                    own[id] = value;
            });
            appendNumber(out, product->ID);
            out.append(fieldSeparator);
            out.append(parentPath);
            out.append(category.text());
            out.append("|");
            out.append(own[FieldNames::ProductName]);
            // Most columns of most lines are empty: the separators before
            // each value go as one run.
            std::size_t separators = 0;
            for (std::size_t column = 2; column < catalogueColumnCount; ++column) {
                const std::string_view value = own[column].empty() ? defaults[column] : own[column];
                ++separators;
                if (value.empty())
                    continue;
                out.append(separatorRun.substr(0, separators * fieldSeparator.size()));
                out.append(value);
                separators = 0;
            }
            out.append(separatorRun.substr(0, separators * fieldSeparator.size()));
            out.append("\r\n");
        }
    });
}

// Appends each line of header_data.log, CR LF included, to out.
template <typename Out> void appendCategoryLines(const Catalogue& catalogue, Out& out)
{
    std::int64_t index = 0;
    forEachCategory(catalogue, [&](const TNewCategory& category, std::string_view parentPath) {
        appendNumber(out, index++);
        out.append(fieldSeparator);
        out.append(parentPath);
        out.append(category.text());
        out.append(fieldSeparator);
        out.append(category.detail(descriptionField));
        out.append(fieldSeparator);
        out.append(fieldSeparator);
        out.append(category.detail(pictureField));
        out.append(fieldSeparator);
        out.append(category.detail(templateField));
        out.append("\r\n");
    });
}

} // namespace

void writeProductFile(const Catalogue& catalogue, AtomicFileWriter& file)
{
    FileOut out(file);
    appendProductLines(catalogue, out);
    out.flush();
}

void writeCategoryFile(const Catalogue& catalogue, AtomicFileWriter& file)
{
    FileOut out(file);
    appendCategoryLines(catalogue, out);
    out.flush();
}

void appendProductFile(const Catalogue& catalogue, std::string& bytes)
{
    appendProductLines(catalogue, bytes);
}

void appendCategoryFile(const Catalogue& catalogue, std::string& bytes)
{
    appendCategoryLines(catalogue, bytes);
}

std::string productFileBytes(const Catalogue& catalogue)
{
    std::string bytes;
    appendProductFile(catalogue, bytes);
    return bytes;
}

std::string categoryFileBytes(const Catalogue& catalogue)
{
    std::string bytes;
    appendCategoryFile(catalogue, bytes);
    return bytes;
}

} // namespace qs
