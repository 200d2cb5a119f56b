#pragma once

#include <string>
#include <utility>

namespace qs {

class Catalogue;
class TNewCategory;
class TNewProduct;

// The category and product a step touched: what the window selects once the
// step has been undone or redone. Either may be null.
struct StepFocus {
    TNewCategory* category = nullptr;
    TNewProduct* product = nullptr;
};

// Which way a step has just run, for what the window selects afterwards.
enum class StepDirection { Undone, Redone };

// One change to the catalogue that knows how to make itself, take itself back
// and make itself again. A step keeps what it removed or replaced (a detached
// sub-tree, an old value), never a copy of the catalogue. Steps are undone and
// redone strictly in the reverse order of their making, so the records they
// point at are always there when they run.
class CatalogueStep {
public:
    virtual ~CatalogueStep() = default;
    CatalogueStep(const CatalogueStep&) = delete;
    CatalogueStep& operator=(const CatalogueStep&) = delete;

    // "Delete Category", "Edit Price": what the Edit menu names.
    const std::string& label() const { return label_; }

    // Makes the change: the first time, and again after an undo. The first
    // time, false means it changed nothing and is not worth recording.
    virtual bool redo(Catalogue& catalogue) = 0;
    virtual void undo(Catalogue& catalogue) = 0;
    // What to select once the step has run in that direction.
    virtual StepFocus focus(StepDirection direction) const = 0;

protected:
    explicit CatalogueStep(std::string label) : label_(std::move(label)) {}

private:
    std::string label_;
};

} // namespace qs
