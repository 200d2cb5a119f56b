#include "core/catalogue/history/StepGroup.h"

namespace qs {

bool StepGroup::redo(Catalogue& catalogue)
{
    bool changed = false;
    for (auto& step : steps_)
        changed = step->redo(catalogue) || changed;
    return changed;
}

void StepGroup::undo(Catalogue& catalogue)
{
    for (auto it = steps_.rbegin(); it != steps_.rend(); ++it)
        (*it)->undo(catalogue);
}

StepFocus StepGroup::focus(bool undone) const
{
    if (steps_.empty())
        return {};
    return undone ? steps_.front()->focus(true) : steps_.back()->focus(false);
}

} // namespace qs
