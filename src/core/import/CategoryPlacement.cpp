#include "import/CategoryPlacement.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ValueRules.h"
#include "catalogue/history/ImportStep.h"
#include "import/RowRefused.h"

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
    if (path.empty() && selected_.isRoot())
        node = &child(selected_, baseCategory);
    // A path that names the selected category, or one above it, starts there.
    for (TNewCategory* above = &selected_; !path.empty() && !above->isRoot(); above = above->parent())
        if (above->text() == path.front()) {
            node = above;
            ++name;
            break;
        }
    for (; name != path.end(); ++name)
        node = &child(*node, *name);
    placed_.emplace(key_, node);
    return *node;
}

TNewCategory& CategoryPlacement::child(TNewCategory& parent, std::string_view name)
{
    if (TNewCategory* existing = parent.childNamed(name))
        return *existing;
    if (const std::string refusal = valueRefusal(categoryNameField, name); !refusal.empty())
        throw RowRefused("the category \"" + std::string(name) + "\": " + refusal);
    return step_.addCategory(catalogue_, parent, name);
}

} // namespace qs
