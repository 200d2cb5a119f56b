#pragma once

#include "core/catalogue/FieldNames.h"

#include <cstddef>
#include <string_view>

namespace qs {

class TNewCategory;
class TNewProduct;

// Told of every change to the catalogue, so that views stay in step with the
// model whoever changed it, and told where: a row added or removed, one field
// of one product, one detail of one category. Every method does nothing
// unless overridden.
class CatalogueObserver {
public:
    virtual ~CatalogueObserver() = default;

    virtual void categoryAboutToBeAdded(TNewCategory& /*parent*/, std::size_t /*row*/) {}
    virtual void categoryAdded(TNewCategory& /*category*/) {}
    // The category leaves the tree with its sub-tree and their products.
    virtual void categoryAboutToBeRemoved(TNewCategory& /*category*/) {}
    virtual void categoryRemoved(TNewCategory& /*parent*/, std::size_t /*row*/) {}
    // The category leaves its parent for the given row of newParent's children
    // (counted before it left).
    virtual void categoryAboutToBeMoved(TNewCategory& /*category*/, TNewCategory& /*newParent*/,
                                        std::size_t /*row*/)
    {
    }
    virtual void categoryMoved(TNewCategory& /*category*/) {}
    virtual void categoryRenamed(TNewCategory& /*category*/) {}
    // Any detail, the name included.
    virtual void categoryDetailChanged(TNewCategory& /*category*/, std::string_view /*name*/) {}
    // The order of children changed somewhere in the tree.
    virtual void treeAboutToBeReordered() {}
    virtual void treeReordered() {}
    virtual void productAboutToBeAdded(TNewCategory& /*category*/, std::size_t /*row*/) {}
    virtual void productAdded(TNewProduct& /*product*/) {}
    virtual void productAboutToBeRemoved(TNewCategory& /*category*/, std::size_t /*row*/) {}
    virtual void productRemoved(TNewCategory& /*category*/, std::size_t /*row*/) {}
    virtual void productFieldChanged(TNewProduct& /*product*/, FieldId /*field*/) {}
    // Everything may have changed (a load, a clear, a bulk import).
    virtual void catalogueAboutToBeReset() {}
    virtual void catalogueReset() {}
};

} // namespace qs
