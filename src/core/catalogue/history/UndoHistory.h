#pragma once

#include "core/catalogue/history/CatalogueStep.h"
#include "core/catalogue/history/StepGroup.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace qs {

// The steps made to the catalogue since the shop was opened, the last ones
// first to be undone, with the position the last save left. Opening, creating
// and closing a shop empty it; it keeps the last hundred steps.
class UndoHistory {
public:
    static constexpr std::size_t defaultLimit = 100;

    explicit UndoHistory(Catalogue& catalogue, std::size_t limit = defaultLimit);
    ~UndoHistory();
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // Makes the step's change and records it, unless it changed nothing.
    // Steps that could have been redone are dropped. Inside a transaction the
    // step joins it instead. True when something changed. Refused (false,
    // nothing changed) while a step is being made, undone or redone: a view
    // told of that change must not start another.
    bool perform(std::unique_ptr<CatalogueStep> step);
    // A step is being made, undone or redone.
    bool busy() const { return busy_; }

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }
    // The labels of the steps Undo and Redo would take; empty when none.
    std::string undoLabel() const;
    std::string redoLabel() const;
    StepFocus undo();
    StepFocus redo();

    // Forgets every step (a shop opened, created or closed); the catalogue
    // as it is counts as saved.
    void clear();
    // The catalogue as it is now is the one on disk.
    void markClean();
    // Undone or redone back to the last save.
    bool isClean() const { return clean_ && *clean_ == position_; }
    std::size_t size() const { return steps_.size(); }
    // How many of the steps are made (the rest are undone).
    std::size_t position() const { return position_; }

    // Told after every change of the history, so that menus follow it.
    std::function<void()> changed;

    // Groups the steps made while it lives into one, recorded by commit()
    // under its label. Destroyed without commit() (a cancel, a failure), it
    // undoes them: the catalogue is as it was before.
    class Transaction {
    public:
        Transaction(UndoHistory& history, std::string label);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

        // True when anything changed and was recorded.
        bool commit();

    private:
        UndoHistory& history_;
        std::unique_ptr<StepGroup> group_;
    };

private:
    void record(std::unique_ptr<CatalogueStep> step);
    void tell() const;

    // Marks the history busy while it lives.
    class BusyScope {
    public:
        explicit BusyScope(UndoHistory& history) : history_(history) { history_.busy_ = true; }
        ~BusyScope() { history_.busy_ = false; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        UndoHistory& history_;
    };

    Catalogue& catalogue_;
    std::size_t limit_;
    std::deque<std::unique_ptr<CatalogueStep>> steps_;
    // Steps before this position are made; those from it on are undone.
    std::size_t position_ = 0;
    // Where the last save left the position; none once that state is gone.
    std::optional<std::size_t> clean_ = 0;
    StepGroup* open_ = nullptr;
    bool busy_ = false;
};

} // namespace qs
