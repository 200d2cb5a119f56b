#include "core/catalogue/CatalogueCommands.h"

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/OpenCatalogue.h"
#include "core/ui/UserInterface.h"

#include <exception>

namespace qs {

CatalogueCommands::CatalogueCommands(OpenCatalogue& open, EditorState& editor, UserInterface& ui)
    : open_(open), editor_(editor), ui_(&ui)
{
    open_.catalogue.addObserver(editor_);
}

CatalogueCommands::~CatalogueCommands()
{
    open_.catalogue.removeObserver(editor_);
}

Catalogue& CatalogueCommands::catalogue() const
{
    return open_.catalogue;
}

CatalogueChanges CatalogueCommands::changes() const
{
    return open_.changes();
}

std::string CatalogueCommands::subCategoriesMessage(std::string_view nodeText)
{
    return std::string(nodeText) + " contains sub-categories," + std::string(lineBreak) +
           "cannot add products at this level";
}

std::string CatalogueCommands::deleteCategoryQuestion(std::string_view nodeText)
{
    return "Are you sure you want to delete " + std::string(nodeText) +
           " and all the products in this category?";
}

std::string CatalogueCommands::deleteProductQuestion(std::string_view productName)
{
    return "Are you sure you want to delete " + std::string(productName) + "?";
}

TNewCategory& CatalogueCommands::addCategory(const SelectCategory& select)
{
    TNewCategory& added = changes().addCategory(catalogue().root(), "Add Category");
    if (select)
        select(added);
    return added;
}

TNewCategory& CatalogueCommands::addSubCategory(TNewCategory& selected, const SelectCategory& select)
{
    TNewCategory& added = changes().addCategory(selected, "Add Sub-Category");
    if (select)
        select(added);
    return added;
}

TNewProduct* CatalogueCommands::newProduct(TNewCategory& selected)
{
    if (selected.hasChildren()) {
        ui_->message(subCategoriesMessage(selected.text()), MessageKind::Information);
        return nullptr;
    }
    if (selected.isRoot()) {
        ui_->message(noCategoryMessage, MessageKind::Information);
        return nullptr;
    }
    TNewProduct& product = changes().addProduct(selected);
    editor_.setCurrentProduct(&product);
    return &product;
}

bool CatalogueCommands::deleteCommand(DeleteTarget target, TNewCategory* selected,
                                      TNewProduct* productOnGridRow)
{
    switch (target) {
    case DeleteTarget::Tree:
        return selected && deleteNode(*selected);
    case DeleteTarget::ProductGrid:
        return deleteProduct(productOnGridRow);
    case DeleteTarget::Elsewhere:
        break;
    }
    return false;
}

bool CatalogueCommands::deleteNode(TNewCategory& selected)
{
    if (selected.isRoot()) {
        ui_->message(deleteRootMessage, MessageKind::Information);
        return false;
    }
    return deleteCategory(selected);
}

bool CatalogueCommands::deleteCategory(TNewCategory& category)
{
    if (category.isRoot())
        return false;
    if (ui_->ask(deleteCategoryQuestion(category.text()), MessageKind::Warning, Buttons::YesNo) !=
        Answer::Yes)
        return false;
    changes().deleteCategory(category);
    return true;
}

bool CatalogueCommands::deleteProduct(TNewProduct* productOnGridRow)
{
    editor_.setCurrentProduct(productOnGridRow);
    if (!productOnGridRow)
        return false;
    if (ui_->ask(deleteProductQuestion(productOnGridRow->name()), MessageKind::Warning, Buttons::YesNo) !=
        Answer::Yes)
        return false;
    changes().deleteProduct(*productOnGridRow);
    return true;
}

bool CatalogueCommands::acceptsCategoryDrop(const TNewCategory& dragged, const TNewCategory& target)
{
    return &dragged != &target && !dragged.isRoot();
}

bool CatalogueCommands::dropCategory(TNewCategory& dragged, TNewCategory& target)
{
    if (!acceptsCategoryDrop(dragged, target))
        return false;
    // Refused onto its own descendant: the tree stays as it is.
    return changes().moveCategory(dragged, target);
}

bool CatalogueCommands::acceptsProductDrop(const TNewProduct* dragged, const TNewCategory& target) const
{
    return dragged && dragged == editor_.CurrentProduct && !target.isRoot() && dragged->Category != &target;
}

bool CatalogueCommands::dropProduct(TNewProduct* dragged, TNewCategory& target)
{
    if (!acceptsProductDrop(dragged, target))
        return false;
    if (const std::string refusal = changes().moveProduct(*dragged, target); !refusal.empty()) {
        ui_->message(refusal, MessageKind::Warning);
        return false;
    }
    editor_.setCurrentProduct(nullptr);
    return true;
}

void CatalogueCommands::sort()
{
    changes().sort();
}

bool CatalogueCommands::selectNode(TNewCategory* node)
{
    if (!node || node->isRoot()) {
        editor_.CurrentCategory = nullptr;
        return false;
    }
    editor_.CurrentCategory = node;
    return true;
}

void CatalogueCommands::clearTree()
{
    editor_.forgetAll();
    open_.history.clear();
    catalogue().clear();
}

bool CatalogueCommands::closeQuery(bool settingsModified)
{
    bool mayClose = true;
    std::exception_ptr saveFailure;
    const bool modified = settingsModified || !open_.history.isClean() || editor_.CategoryEdited;
    if (editor_.ShopOpen && modified) {
        switch (ui_->ask(saveCatalogueQuestion, MessageKind::Warning, Buttons::YesNoCancel)) {
        case Answer::Yes:
            try {
                // Declining Save's own confirmation returns to the program
                // with everything as it was.
                if (saveCatalogue && saveCatalogue() != SaveOutcome::Saved)
                    mayClose = false;
            } catch (...) {
                saveFailure = std::current_exception();
                mayClose = false;
            }
            break;
        case Answer::No:
        case Answer::Ok:
            break;
        case Answer::Cancel:
            mayClose = false;
            break;
        }
    }
    if (writeProgramLocation)
        writeProgramLocation();
    if (saveFailure)
        std::rethrow_exception(saveFailure);
    return mayClose;
}

} // namespace qs
