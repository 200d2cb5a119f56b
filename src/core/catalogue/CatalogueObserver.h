#pragma once

#include <cstddef>

namespace qs {

class TNewCategory;
class TNewProduct;

// Told of every change to the catalogue, so that views stay in step with the
// model whoever changed it. Every method does nothing unless overridden.
class CatalogueObserver {
public:
    virtual ~CatalogueObserver() = default;

    virtual void categoryAboutToBeAdded(TNewCategory& /*parent*/, std::size_t /*row*/) {}
    virtual void categoryAdded(TNewCategory& /*category*/) {}
    virtual void categoryAboutToBeRemoved(TNewCategory& /*category*/) {}
    virtual void categoryRemoved(TNewCategory& /*parent*/, std::size_t /*row*/) {}
    // The category leaves its parent for the end of newParent's children.
    virtual void categoryAboutToBeMoved(TNewCategory& /*category*/, TNewCategory& /*newParent*/) {}
    virtual void categoryMoved(TNewCategory& /*category*/) {}
    virtual void categoryRenamed(TNewCategory& /*category*/) {}
    // The order of children changed somewhere in the tree.
    virtual void treeAboutToBeReordered() {}
    virtual void treeReordered() {}
    // Products were added to, removed from or moved within the category's list.
    virtual void productsChanged(TNewCategory& /*category*/) {}
    virtual void productChanged(TNewProduct& /*product*/) {}
    // Everything may have changed (a load, a clear, a bulk import).
    virtual void catalogueAboutToBeReset() {}
    virtual void catalogueReset() {}
};

} // namespace qs
