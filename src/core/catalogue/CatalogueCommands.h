#pragma once

#include "core/catalogue/CatalogueChanges.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/EditorState.h"

#include <functional>
#include <string>
#include <string_view>

namespace qs {

class Catalogue;
struct OpenCatalogue;
class TNewCategory;
class TNewProduct;
class UserInterface;

// Where the keyboard focus was when Delete was chosen.
enum class DeleteTarget { Tree, ProductGrid, Elsewhere };

// The main window's tree-editing commands, without the window: the
// face passes the selected node and the product on the grid's current row,
// and shows whatever the catalogue's observer reports.
//
// Every command that changes the catalogue does so as a step of the undo
// history, including adding a top-level category and deleting a category or a
// product, so that the merchant is always asked to save before leaving and
// can take any of them back.
class CatalogueCommands {
public:
    // The editor state follows the catalogue while the commands exist.
    CatalogueCommands(OpenCatalogue& open, EditorState& editor, UserInterface& ui);
    ~CatalogueCommands();
    CatalogueCommands(const CatalogueCommands&) = delete;
    CatalogueCommands& operator=(const CatalogueCommands&) = delete;

    void setUserInterface(UserInterface& ui) { ui_ = &ui; }
    UserInterface& userInterface() const { return *ui_; }
    EditorState& editor() const { return editor_; }
    Catalogue& catalogue() const;

    // Plugged in by the commands that own them: Save, which asks its
    // own confirmation, and the writer of the program-wide location file.
    std::function<SaveOutcome()> saveCatalogue;
    std::function<void()> writeProgramLocation;

    // Called with a new category once it hangs in the tree, so that the face
    // selects it before the command goes on.
    using SelectCategory = std::function<void(TNewCategory&)>;

    // A new "New Category" as the last child of the root, whatever is selected.
    TNewCategory& addCategory(const SelectCategory& select = {});
    // The same under the selected node (the root or any category).
    TNewCategory& addSubCategory(TNewCategory& selected, const SelectCategory& select = {});
    // A new product in the selected category, which becomes CurrentProduct; null
    // (with a message) on the root or on a category with sub-categories.
    TNewProduct* newProduct(TNewCategory& selected);

    // Delete as the focus decides: the selected node when the tree has it, the
    // product on the grid's current row when the product grid has it. True when
    // something was deleted.
    bool deleteCommand(DeleteTarget target, TNewCategory* selected, TNewProduct* productOnGridRow);
    // The tree's part: the root is refused with a message, a category goes to deleteCategory.
    bool deleteNode(TNewCategory& selected);
    // Asks, then deletes the category with its sub-tree and all their products.
    bool deleteCategory(TNewCategory& category);
    // The product grid's part: the product (none past the last row) becomes
    // CurrentProduct and is deleted after the merchant confirms.
    bool deleteProduct(TNewProduct* productOnGridRow);

    // A dragged category is accepted over any node but itself; dropping it onto
    // its own descendant changes nothing. True when it moved.
    static bool acceptsCategoryDrop(const TNewCategory& dragged, const TNewCategory& target);
    bool dropCategory(TNewCategory& dragged, TNewCategory& target);
    // A product is accepted over a category other than its own (never the root),
    // provided it is CurrentProduct. A drop onto a category that already holds
    // a product of its name is refused with the duplicate-name message. True
    // when it moved.
    bool acceptsProductDrop(const TNewProduct* dragged, const TNewCategory& target) const;
    bool dropProduct(TNewProduct* dragged, TNewCategory& target);

    // Every level of the tree in linguistic order, as a step that can be undone.
    void sort();

    // The reaction to a new selection that belongs to the tree: the category
    // becomes CurrentCategory. False when nothing or the root is selected: the
    // grids are then hidden.
    bool selectNode(TNewCategory* node);

    // The bare root, with nothing current.
    void clearTree();

    // Asks to save a modified catalogue, or a catalogue whose settings
    // changed (only while a shop is open, so that no save goes into a shop
    // without a name), then writes the program-wide location file whatever
    // the answer. True when the window may close. A save that failed or
    // was declined at its own confirmation keeps the window open, so that
    // nothing is lost; a failure thrown is passed on
    // after the location file is written.
    bool closeQuery(bool settingsModified);

    static std::string subCategoriesMessage(std::string_view nodeText);
    static std::string deleteCategoryQuestion(std::string_view nodeText);
    static std::string deleteProductQuestion(std::string_view productName);

    static constexpr std::string_view lineBreak = "\r\n";
    static constexpr std::string_view noCategoryMessage =
        "Please create a category before creating products.";
    static constexpr std::string_view deleteRootMessage = "You can't delete the entire catalogue!";

private:
    CatalogueChanges changes() const;

    OpenCatalogue& open_;
    EditorState& editor_;
    UserInterface* ui_;
};

} // namespace qs
