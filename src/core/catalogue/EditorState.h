#pragma once

#include "core/catalogue/CatalogueObserver.h"
#include "core/catalogue/TNewCategory.h"
#include "core/catalogue/TNewProduct.h"

namespace qs {

// What the main window keeps beside the catalogue: the category the
// grids show, the product acted on, and whether an edit is still pending. As
// an observer of the catalogue it forgets records as they leave the tree, so
// its pointers never outlive them, whoever removed them (a command, an undo).
struct EditorState : CatalogueObserver {
    // None while the root is selected or after the tree is cleared.
    TNewCategory* CurrentCategory = nullptr;
    // The product selected in (or dragged from) the product grid, and the one
    // current before it.
    TNewProduct* CurrentProduct = nullptr;
    TNewProduct* PreviousProduct = nullptr;
    // The category details grid holds an edit not yet committed. The close
    // query counts it like CatalogueModified.
    bool CategoryEdited = false;
    // The window shows an open shop (MainMenu) rather than no shop (NoCatMenu).
    bool ShopOpen = false;

    void setCurrentProduct(TNewProduct* product)
    {
        if (product == CurrentProduct)
            return;
        PreviousProduct = CurrentProduct;
        CurrentProduct = product;
    }

    // Before a product is destroyed.
    void forgetProduct(const TNewProduct& product)
    {
        if (CurrentProduct == &product)
            CurrentProduct = nullptr;
        if (PreviousProduct == &product)
            PreviousProduct = nullptr;
    }

    // Before a category is destroyed with its sub-tree and all their products.
    void forgetSubtree(const TNewCategory& category)
    {
        const auto inside = [&](const TNewCategory* node) {
            return node && (node == &category || category.isAncestorOf(*node));
        };
        if (inside(CurrentCategory))
            CurrentCategory = nullptr;
        if (CurrentProduct && inside(CurrentProduct->Category))
            CurrentProduct = nullptr;
        if (PreviousProduct && inside(PreviousProduct->Category))
            PreviousProduct = nullptr;
    }

    // Before the whole tree is cleared or replaced.
    void forgetAll()
    {
        CurrentCategory = nullptr;
        CurrentProduct = nullptr;
        PreviousProduct = nullptr;
    }

    void categoryAboutToBeRemoved(TNewCategory& category) override { forgetSubtree(category); }
    void productAboutToBeRemoved(TNewCategory& category, std::size_t row) override
    {
        forgetProduct(*category.products()[row]);
    }
    void catalogueAboutToBeReset() override { forgetAll(); }
};

} // namespace qs
