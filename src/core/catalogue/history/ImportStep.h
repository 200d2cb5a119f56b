#pragma once

#include "core/catalogue/FieldRecord.h"
#include "core/catalogue/history/CatalogueStep.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace qs {

class TNewCategory;
class TNewProduct;

// An import merge as one step, however many rows it added. The merge adds
// through it, and it records only what undo needs: for each category that
// was there before, how many products it had (an import appends at the end),
// and the categories it created with their parent and row. Undo takes the
// added products off the end of each list in one go and detaches the created
// categories with everything in them; redo puts them back. Either tells the
// views once, whatever the size.
class ImportStep : public CatalogueStep {
public:
    // into: the node selected for the import, which undo and redo select.
    explicit ImportStep(TNewCategory& into) : CatalogueStep("Import"), into_(into) {}

    // The step is performed before the merge adds anything through it, so
    // that the transaction it is made in can take back whatever was added if
    // the merge stops half-way.
    bool redo(Catalogue& catalogue) override;
    void undo(Catalogue& catalogue) override;
    StepFocus focus(bool undone) const override;

    // A new category, the last child of parent.
    TNewCategory& addCategory(Catalogue& catalogue, TNewCategory& parent, std::string_view name);
    // A new product at the end of the category (see Catalogue::createProduct).
    TNewProduct& addProduct(Catalogue& catalogue, TNewCategory& category, FieldRecord fields);

    bool empty() const { return productsAdded_ == 0 && created_.empty(); }
    std::size_t productsAdded() const { return productsAdded_; }
    std::size_t categoriesCreated() const { return created_.size(); }

private:
    struct Extended {
        TNewCategory* category;
        std::size_t productsBefore;
        std::int32_t counterBefore;
        std::int32_t counterAfter = 0;
        std::vector<std::unique_ptr<TNewProduct>> held;
    };
    struct Created {
        TNewCategory* category;
        TNewCategory* parent;
        std::size_t row;
        std::unique_ptr<TNewCategory> held;
    };

    TNewCategory& into_;
    bool made_ = false;
    std::size_t productsAdded_ = 0;
    std::vector<Extended> extended_;
    std::unordered_map<const TNewCategory*, std::size_t> extendedIndex_;
    std::vector<Created> created_;
    std::unordered_set<const TNewCategory*> createdSet_;
    TNewCategory* lastCategory_ = nullptr; // the last one added to, already recorded
};

} // namespace qs
