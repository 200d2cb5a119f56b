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

StepFocus StepGroup::focus(StepDirection direction) const
{
    if (steps_.empty())
        return {};
    return direction == StepDirection::Undone ? steps_.front()->focus(direction)
                                              : steps_.back()->focus(direction);
}

} // namespace qs
