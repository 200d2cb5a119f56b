#pragma once

#include "core/catalogue/history/CatalogueStep.h"

#include <memory>
#include <vector>

namespace qs {

// Several steps made as one (an import merge, the fields an inspector
// changed): undone last first, redone first first.
class StepGroup : public CatalogueStep {
public:
    explicit StepGroup(std::string label) : CatalogueStep(std::move(label)) {}

    // A step already made, in the order of making.
    void add(std::unique_ptr<CatalogueStep> step) { steps_.push_back(std::move(step)); }
    bool empty() const { return steps_.empty(); }

    bool redo(Catalogue& catalogue) override;
    void undo(Catalogue& catalogue) override;
    StepFocus focus(bool undone) const override;

private:
    std::vector<std::unique_ptr<CatalogueStep>> steps_;
};

} // namespace qs
