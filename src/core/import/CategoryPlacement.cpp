#include "core/import/CategoryPlacement.h"

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/ValueRules.h"
#include "core/catalogue/history/ImportStep.h"
#include "core/import/RowRefused.h"

namespace qs {

CategoryPlacement::CategoryPlacement(Catalogue& catalogue, ImportStep& step, TNewCategory& selected)
    : catalogue_(catalogue), step_(step), selected_(selected)
{
}

TNewCategory& CategoryPlacement::place(const std::vector<std::string_view>& path)
{
    key_.clear();
    for (std::string_view name : path)
        key_.append(name).push_back('|');
    if (const auto found = placed_.find(key_); found != placed_.end())
        return *found->second;

    TNewCategory* node = &selected_;
    auto name = path.begin();
    if (path.empty() && selected_.isRoot()) {
        TNewCategory* base = selected_.childNamed(baseCategory);
        node = base ? base : &step_.addCategory(catalogue_, selected_, baseCategory);
    }
    // A path that names the selected category, or one above it, starts there.
    for (TNewCategory* above = &selected_; !path.empty() && !above->isRoot(); above = above->parent())
        if (above->text() == path.front()) {
            node = above;
            ++name;
            break;
        }
    for (; name != path.end(); ++name) {
        TNewCategory* existing = node->childNamed(*name);
        if (!existing)
            break;
        node = existing;
    }
    // Every name still missing is checked before any is made: a refused row
    // leaves no category behind.
    for (auto missing = name; missing != path.end(); ++missing)
        refuseName(*missing);
    for (; name != path.end(); ++name)
        node = &step_.addCategory(catalogue_, *node, *name);
    placed_.emplace(key_, node);
    return *node;
}

void CategoryPlacement::refuseName(std::string_view name)
{
    if (const std::string refusal = valueRefusal(categoryNameField, name); !refusal.empty())
        throw RowRefused("the category \"" + std::string(name) + "\": " + refusal);
}

} // namespace qs
