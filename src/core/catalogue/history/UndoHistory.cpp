#include "core/catalogue/history/UndoHistory.h"

#include <stdexcept>

namespace qs {

UndoHistory::UndoHistory(Catalogue& catalogue, std::size_t limit) : catalogue_(catalogue), limit_(limit) {}

// The steps go last first: a later step may hold records an earlier one points at.
UndoHistory::~UndoHistory()
{
    while (!steps_.empty())
        steps_.pop_back();
}

bool UndoHistory::perform(std::unique_ptr<CatalogueStep> step)
{
    if (busy_)
        return false;
    bool changed = false;
    {
        BusyScope scope(*this);
        changed = step->redo(catalogue_);
    }
    if (!changed)
        return false;
    if (open_)
        open_->add(std::move(step));
    else
        record(std::move(step));
    return true;
}

void UndoHistory::record(std::unique_ptr<CatalogueStep> step)
{
    while (steps_.size() > position_)
        steps_.pop_back();
    if (clean_ && *clean_ > position_)
        clean_.reset();
    steps_.push_back(std::move(step));
    ++position_;
    while (steps_.size() > limit_) {
        steps_.pop_front();
        --position_;
        if (clean_)
            clean_ = *clean_ == 0 ? std::optional<std::size_t>() : std::optional<std::size_t>(*clean_ - 1);
    }
    tell();
}

std::string UndoHistory::undoLabel() const
{
    return canUndo() ? steps_[position_ - 1]->label() : std::string();
}

std::string UndoHistory::redoLabel() const
{
    return canRedo() ? steps_[position_]->label() : std::string();
}

StepFocus UndoHistory::undo()
{
    if (!canUndo() || open_ || busy_)
        return {};
    CatalogueStep& step = *steps_[--position_];
    {
        BusyScope scope(*this);
        step.undo(catalogue_);
    }
    tell();
    return step.focus(true);
}

StepFocus UndoHistory::redo()
{
    if (!canRedo() || open_ || busy_)
        return {};
    CatalogueStep& step = *steps_[position_++];
    {
        BusyScope scope(*this);
        step.redo(catalogue_);
    }
    tell();
    return step.focus(false);
}

void UndoHistory::clear()
{
    while (!steps_.empty())
        steps_.pop_back();
    position_ = 0;
    clean_ = 0;
    tell();
}

void UndoHistory::markClean()
{
    clean_ = position_;
    tell();
}

void UndoHistory::tell() const
{
    if (changed)
        changed();
}

UndoHistory::Transaction::Transaction(UndoHistory& history, std::string label)
    : history_(history), group_(std::make_unique<StepGroup>(std::move(label)))
{
    if (history_.open_)
        throw std::logic_error("One change at a time: a transaction is already open");
    history_.open_ = group_.get();
}

UndoHistory::Transaction::~Transaction()
{
    if (!group_)
        return;
    history_.open_ = nullptr;
    BusyScope scope(history_);
    group_->undo(history_.catalogue_);
}

bool UndoHistory::Transaction::commit()
{
    history_.open_ = nullptr;
    std::unique_ptr<StepGroup> group = std::move(group_);
    if (group->empty())
        return false;
    history_.record(std::move(group));
    return true;
}

} // namespace qs
