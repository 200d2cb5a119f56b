#include "core/catalogue/CatalogueCommands.h"

#include "ScriptedUserInterface.h"
#include "core/app/AppState.h"
#include "core/catalogue/Catalogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qs {
namespace {

// A catalogue with its commands of its own, for each case of a table.
struct FreshCommands {
    AppState state{"/nonexistent"};
    EditorState edit;
    test::ScriptedUserInterface user;
    CatalogueCommands cmds{state, edit, user};
};

class CatalogueCommandsTest : public ::testing::Test {
protected:
    CatalogueCommandsTest() { editor.ShopOpen = true; }

    TNewCategory& root() { return app.catalogue.root(); }

    TNewCategory& category(TNewCategory& parent, std::string_view name)
    {
        return app.catalogue.addCategory(parent, name);
    }

    static std::vector<std::string> childTexts(const TNewCategory& node)
    {
        std::vector<std::string> texts;
        for (const auto& child : node.children())
            texts.emplace_back(child->text());
        return texts;
    }

    static std::vector<std::string> productNames(const TNewCategory& node)
    {
        std::vector<std::string> names;
        for (const auto& product : node.products())
            names.emplace_back(product->name());
        return names;
    }

    AppState app{"/nonexistent-program-dir"};
    EditorState editor;
    test::ScriptedUserInterface ui;
    CatalogueCommands commands{app, editor, ui};
};

// ---------------------------------------------------------------- adding

TEST_F(CatalogueCommandsTest, AddCategoryAlwaysGoesUnderTheRoot)
{
    TNewCategory& fruit = category(root(), "Fruit");
    category(fruit, "Apples");

    TNewCategory* selected = nullptr;
    TNewCategory& added = commands.addCategory([&](TNewCategory& c) { selected = &c; });

    EXPECT_EQ(added.parent(), &root());
    EXPECT_EQ(added.text(), "New Category");
    EXPECT_EQ(root().children().back().get(), &added);
    EXPECT_EQ(selected, &added);
    EXPECT_TRUE(app.CatalogueModified());
    EXPECT_FALSE(editor.CategoryEdited);
    EXPECT_TRUE(ui.said.empty());
}

TEST_F(CatalogueCommandsTest, AddSubCategoryGoesUnderTheSelectedNode)
{
    TNewCategory& fruit = category(root(), "Fruit");
    TNewCategory& apples = category(fruit, "Apples");

    TNewCategory& added = commands.addSubCategory(apples);

    EXPECT_EQ(added.parent(), &apples);
    EXPECT_EQ(added.text(), "New Category");
    EXPECT_TRUE(app.CatalogueModified());
    // Nothing waits in the category details grid, so a save leaves nothing to ask about.
    EXPECT_FALSE(editor.CategoryEdited);
}

TEST_F(CatalogueCommandsTest, AddSubCategoryUnderTheRootBehavesLikeAddCategory)
{
    category(root(), "Fruit");
    TNewCategory& added = commands.addSubCategory(root());
    EXPECT_EQ(added.parent(), &root());
    EXPECT_EQ(childTexts(root()), (std::vector<std::string>{"Fruit", "New Category"}));
}

TEST_F(CatalogueCommandsTest, NoDepthLimitIsApplied)
{
    TNewCategory* node = &root();
    for (int i = 0; i < 50; ++i)
        node = &commands.addSubCategory(*node);
    EXPECT_EQ(app.catalogue.depth(), 51);
}

// ---------------------------------------------------------------- products

TEST_F(CatalogueCommandsTest, NewProductNamesComeFromTheCategoryCounter)
{
    TNewCategory& fruit = category(root(), "Fruit");
    TNewProduct* first = commands.newProduct(fruit);
    TNewProduct* second = commands.newProduct(fruit);
    TNewProduct* third = commands.newProduct(fruit);
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(productNames(fruit),
              (std::vector<std::string>{"New Product 0", "New Product 1", "New Product 2"}));
    EXPECT_EQ(editor.CurrentProduct, third);
    EXPECT_EQ(editor.PreviousProduct, second);
    EXPECT_TRUE(app.CatalogueModified());

    ui.answers.push_back(Answer::Yes);
    EXPECT_TRUE(commands.deleteProduct(second));
    TNewProduct* fourth = commands.newProduct(fruit);
    ASSERT_TRUE(fourth);
    EXPECT_EQ(fourth->name(), "New Product 3");
    EXPECT_EQ(productNames(fruit),
              (std::vector<std::string>{"New Product 0", "New Product 2", "New Product 3"}));
}

TEST_F(CatalogueCommandsTest, NewProductPassesOverNamesInUseAndUndoRedoKeepTheCounter)
{
    TNewCategory& fruit = category(root(), "Fruit");
    app.catalogue.createProduct(fruit).trySetField(FieldNames::ProductName, "New Product 1");
    TNewProduct* added = commands.newProduct(fruit);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->name(), "New Product 2");
    app.history.undo();
    app.history.redo();
    ui.answers.push_back(Answer::Yes);
    EXPECT_TRUE(commands.deleteProduct(added));
    // The counter stands past the name redo gave back, as before the undo.
    TNewProduct* next = commands.newProduct(fruit);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->name(), "New Product 3");
}

TEST_F(CatalogueCommandsTest, NewProductIsRefusedWithAMessage)
{
    struct Case {
        const char* name;
        bool rootHasCategory;
        bool selectCategoryWithChild;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"empty catalogue, root selected", false, false,
         "Please create a category before creating products."},
        {"root selected, categories below it", true, false,
         "Whole Catalogue contains sub-categories,\r\ncannot add products at this level"},
        {"category with a sub-category", true, true,
         "Fruit contains sub-categories,\r\ncannot add products at this level"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FreshCommands fresh;
        auto& [state, edit, user, cmds] = fresh;
        TNewCategory* selected = &state.catalogue.root();
        if (c.rootHasCategory) {
            TNewCategory& fruit = state.catalogue.addCategory(state.catalogue.root(), "Fruit");
            state.catalogue.addCategory(fruit, "Apples");
            if (c.selectCategoryWithChild)
                selected = &fruit;
        }

        EXPECT_EQ(cmds.newProduct(*selected), nullptr);
        ASSERT_EQ(user.said.size(), 1u);
        EXPECT_EQ(user.said[0].text, c.message);
        EXPECT_EQ(user.said[0].kind, MessageKind::Information);
        EXPECT_FALSE(user.said[0].question);
        EXPECT_EQ(state.catalogue.productCount(), 0u);
        EXPECT_FALSE(state.CatalogueModified());
        EXPECT_EQ(edit.CurrentProduct, nullptr);
    }
}

TEST_F(CatalogueCommandsTest, ACategoryHoldingProductsCanStillReceiveSubCategories)
{
    TNewCategory& fruit = category(root(), "Fruit");
    ASSERT_TRUE(commands.newProduct(fruit));
    TNewCategory& apples = commands.addSubCategory(fruit);
    EXPECT_EQ(apples.parent(), &fruit);
    EXPECT_EQ(fruit.productCount(), 1u);
    EXPECT_EQ(commands.newProduct(fruit), nullptr) << "only New Product refuses such a category";
}

// ---------------------------------------------------------------- deleting

TEST_F(CatalogueCommandsTest, DeleteCategoryAsksAndObeysTheAnswer)
{
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        SCOPED_TRACE(answer == Answer::Yes ? "Yes" : "No");
        FreshCommands fresh;
        auto& [state, edit, user, cmds] = fresh;
        TNewCategory& fruit = state.catalogue.addCategory(state.catalogue.root(), "Fruit");
        TNewCategory& apples = state.catalogue.addCategory(fruit, "Apples");
        state.catalogue.addCategory(state.catalogue.root(), "Veg");
        state.catalogue.createProduct(fruit);
        TNewProduct& cox = state.catalogue.createProduct(apples);
        edit.CurrentCategory = &fruit;
        edit.CurrentProduct = &cox;

        user.answers.push_back(answer);
        const bool deleted = cmds.deleteCommand(DeleteTarget::Tree, &fruit, nullptr);

        ASSERT_EQ(user.said.size(), 1u);
        EXPECT_EQ(user.said[0].text,
                  "Are you sure you want to delete Fruit and all the products in this category?");
        EXPECT_EQ(user.said[0].kind, MessageKind::Warning);
        EXPECT_TRUE(user.said[0].question);
        EXPECT_EQ(deleted, answer == Answer::Yes);
        if (answer == Answer::Yes) {
            EXPECT_EQ(childTexts(state.catalogue.root()), std::vector<std::string>{"Veg"});
            EXPECT_EQ(state.catalogue.categoryCount(), 1u);
            EXPECT_EQ(state.catalogue.productCount(), 0u);
            EXPECT_EQ(edit.CurrentCategory, nullptr);
            EXPECT_EQ(edit.CurrentProduct, nullptr) << "its product went with it";
            EXPECT_TRUE(state.CatalogueModified());
        } else {
            EXPECT_EQ(state.catalogue.categoryCount(), 3u);
            EXPECT_EQ(state.catalogue.productCount(), 2u);
            EXPECT_EQ(edit.CurrentCategory, &fruit);
            EXPECT_FALSE(state.CatalogueModified());
        }
    }
}

TEST_F(CatalogueCommandsTest, DeletingTheRootIsRefused)
{
    category(root(), "Fruit");
    EXPECT_FALSE(commands.deleteCommand(DeleteTarget::Tree, &root(), nullptr));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"You can't delete the entire catalogue!"});
    EXPECT_FALSE(ui.said[0].question);
    EXPECT_EQ(app.catalogue.categoryCount(), 1u);
    EXPECT_FALSE(app.CatalogueModified());
}

TEST_F(CatalogueCommandsTest, DeleteProductAsksAndObeysTheAnswer)
{
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        SCOPED_TRACE(answer == Answer::Yes ? "Yes" : "No");
        FreshCommands fresh;
        auto& [state, edit, user, cmds] = fresh;
        TNewCategory& fruit = state.catalogue.addCategory(state.catalogue.root(), "Fruit");
        TNewProduct& pear = state.catalogue.createProduct(fruit);
        test::ScriptedUserInterface quiet;
        ASSERT_TRUE(pear.setField("Product Name", "Pear", quiet));
        state.catalogue.createProduct(fruit);

        user.answers.push_back(answer);
        const bool deleted = cmds.deleteCommand(DeleteTarget::ProductGrid, &fruit, &pear);

        EXPECT_EQ(user.texts(), std::vector<std::string>{"Are you sure you want to delete Pear?"});
        EXPECT_EQ(user.said[0].kind, MessageKind::Warning);
        EXPECT_EQ(deleted, answer == Answer::Yes);
        EXPECT_EQ(fruit.productCount(), answer == Answer::Yes ? 1u : 2u);
        EXPECT_EQ(state.catalogue.categoryCount(), 1u) << "never the category";
        EXPECT_EQ(edit.CurrentProduct, answer == Answer::Yes ? nullptr : &pear);
        EXPECT_EQ(state.CatalogueModified(), answer == Answer::Yes);
    }
}

TEST_F(CatalogueCommandsTest, DeleteDoesNothingWithoutATarget)
{
    TNewCategory& fruit = category(root(), "Fruit");
    TNewProduct& pear = app.catalogue.createProduct(fruit);
    editor.CurrentProduct = &pear;

    EXPECT_FALSE(commands.deleteCommand(DeleteTarget::Elsewhere, &fruit, &pear));
    EXPECT_FALSE(commands.deleteCommand(DeleteTarget::Tree, nullptr, &pear));
    EXPECT_FALSE(commands.deleteCommand(DeleteTarget::ProductGrid, &fruit, nullptr));

    EXPECT_TRUE(ui.said.empty());
    EXPECT_EQ(app.catalogue.categoryCount(), 1u);
    EXPECT_EQ(fruit.productCount(), 1u);
    EXPECT_EQ(editor.CurrentProduct, nullptr) << "the empty row past the last product is current";
}

// ---------------------------------------------------------------- dragging

TEST_F(CatalogueCommandsTest, CategoryDropRules)
{
    // Fruit > Apples > Cox ; Veg
    struct Case {
        const char* name;
        const char* dragged;
        const char* target; // "" is the root
        bool accepted;
        bool moves;
        std::vector<std::string> rootAfter;
        std::string parentAfter; // the dragged one's parent, "" for the root
    };
    const std::vector<Case> cases = {
        {"onto itself", "Fruit", "Fruit", false, false, {"Fruit", "Veg"}, ""},
        {"onto its child", "Fruit", "Fruit|Apples", true, false, {"Fruit", "Veg"}, ""},
        {"onto its grandchild", "Fruit", "Fruit|Apples|Cox", true, false, {"Fruit", "Veg"}, ""},
        {"onto a sibling", "Fruit", "Veg", true, true, {"Veg"}, "Veg"},
        {"onto its own parent", "Fruit", "", true, true, {"Veg", "Fruit"}, ""},
        {"sub-category onto the root", "Fruit|Apples", "", true, true, {"Fruit", "Veg", "Apples"}, ""},
        {"sub-category onto its grandparent's sibling",
         "Fruit|Apples|Cox",
         "Veg",
         true,
         true,
         {"Fruit", "Veg"},
         "Veg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FreshCommands fresh;
        auto& [state, edit, user, cmds] = fresh;
        Catalogue& cat = state.catalogue;
        TNewCategory& fruit = cat.addCategory(cat.root(), "Fruit");
        TNewCategory& apples = cat.addCategory(fruit, "Apples");
        cat.addCategory(apples, "Cox");
        cat.addCategory(cat.root(), "Veg");
        cat.createProduct(apples);

        TNewCategory* dragged = cat.findByPath(c.dragged);
        TNewCategory* target = *c.target ? cat.findByPath(c.target) : &cat.root();
        ASSERT_TRUE(dragged && target);

        EXPECT_EQ(CatalogueCommands::acceptsCategoryDrop(*dragged, *target), c.accepted);
        EXPECT_EQ(cmds.dropCategory(*dragged, *target), c.moves);
        EXPECT_EQ(childTexts(cat.root()), c.rootAfter);
        EXPECT_EQ(dragged->parent()->isRoot() ? std::string() : dragged->parent()->path(), c.parentAfter);
        EXPECT_EQ(state.CatalogueModified(), c.moves);
        EXPECT_EQ(cat.categoryCount(), 4u);
        EXPECT_EQ(cat.productCount(), 1u);
        EXPECT_TRUE(user.said.empty());
    }
}

TEST_F(CatalogueCommandsTest, ProductDropRules)
{
    struct Case {
        const char* name;
        const char* target; // "" is the root
        bool current;
        bool moves;
    };
    const std::vector<Case> cases = {
        {"onto another category", "Veg", true, true},
        {"onto a category with sub-categories", "Nuts", true, true},
        {"onto its own category", "Fruit", true, false},
        {"onto the root", "", true, false},
        {"when it is not the current product", "Veg", false, false},
        {"onto a category holding its namesake", "Herbs", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FreshCommands fresh;
        auto& [state, edit, user, cmds] = fresh;
        Catalogue& cat = state.catalogue;
        TNewCategory& fruit = cat.addCategory(cat.root(), "Fruit");
        TNewCategory& veg = cat.addCategory(cat.root(), "Veg");
        TNewCategory& nuts = cat.addCategory(cat.root(), "Nuts");
        cat.addCategory(nuts, "Walnuts");
        TNewProduct& pear = cat.createProduct(fruit);
        cat.createProduct(veg).setField("Product Name", "Carrot", user);
        TNewCategory& herbs = cat.addCategory(cat.root(), "Herbs");
        cat.createProduct(herbs); // New Product 0, as the pear is named
        if (c.current)
            edit.CurrentProduct = &pear;

        TNewCategory* target = *c.target ? cat.findByPath(c.target) : &cat.root();
        ASSERT_TRUE(target);
        // The namesake is found only on the drop, which says why it is refused.
        EXPECT_EQ(cmds.acceptsProductDrop(&pear, *target), c.moves || target == &herbs);
        EXPECT_EQ(cmds.dropProduct(&pear, *target), c.moves);
        EXPECT_EQ(user.texts(),
                  target == &herbs
                      ? std::vector<std::string>{TNewProduct::duplicateNameMessage("New Product 0")}
                      : std::vector<std::string>{});
        EXPECT_EQ(pear.Category, c.moves ? target : &fruit);
        EXPECT_GE(pear.Category->indexOfProduct(pear), 0);
        EXPECT_EQ(state.CatalogueModified(), c.moves);
        if (c.moves) {
            EXPECT_EQ(target->products().back().get(), &pear) << "appended";
            EXPECT_EQ(fruit.productCount(), 0u);
            EXPECT_EQ(edit.CurrentProduct, nullptr);
        }
    }
}

TEST_F(CatalogueCommandsTest, ADraggedProductMustBeCurrent)
{
    TNewCategory& fruit = category(root(), "Fruit");
    TNewCategory& veg = category(root(), "Veg");
    app.catalogue.createProduct(fruit);
    EXPECT_FALSE(commands.acceptsProductDrop(nullptr, veg));
    EXPECT_FALSE(commands.dropProduct(nullptr, veg));
}

// ---------------------------------------------------------------- sorting, selecting

TEST_F(CatalogueCommandsTest, SortOrdersEveryLevelLinguistically)
{
    for (const char* name : {"Zebra", "banana",
                             "\xC9"
                             "clair",
                             "Apple", "apple"})
        category(root(), name);
    TNewCategory& banana = *root().childNamed("banana");
    for (const char* name : {"b", "B", "a"})
        category(banana, name);
    test::ScriptedUserInterface quiet;
    app.catalogue.createProduct(banana).setField("Product Name", "z", quiet);
    app.catalogue.createProduct(banana).setField("Product Name", "a", quiet);

    commands.sort();

    EXPECT_EQ(childTexts(root()), (std::vector<std::string>{"apple", "Apple", "banana",
                                                            "\xC9"
                                                            "clair",
                                                            "Zebra"}));
    EXPECT_EQ(childTexts(banana), (std::vector<std::string>{"a", "b", "B"}));
    EXPECT_EQ(productNames(banana), (std::vector<std::string>{"z", "a"})) << "products keep their order";
    EXPECT_TRUE(app.CatalogueModified()) << "a step that can be undone";
    commands.sort();
    EXPECT_EQ(app.history.size(), 1u) << "sorting a sorted tree changes nothing";
}

TEST_F(CatalogueCommandsTest, SelectingANodeSetsTheCurrentCategory)
{
    TNewCategory& fruit = category(root(), "Fruit");
    EXPECT_TRUE(commands.selectNode(&fruit));
    EXPECT_EQ(editor.CurrentCategory, &fruit);
    EXPECT_FALSE(commands.selectNode(&root()));
    EXPECT_EQ(editor.CurrentCategory, nullptr);
    commands.selectNode(&fruit);
    EXPECT_FALSE(commands.selectNode(nullptr));
    EXPECT_EQ(editor.CurrentCategory, nullptr);
}

TEST_F(CatalogueCommandsTest, ClearingTheTreeForgetsEverythingCurrent)
{
    TNewCategory& fruit = category(root(), "Fruit");
    editor.CurrentCategory = &fruit;
    editor.CurrentProduct = &app.catalogue.createProduct(fruit);
    commands.clearTree();
    EXPECT_EQ(editor.CurrentCategory, nullptr);
    EXPECT_EQ(editor.CurrentProduct, nullptr);
    EXPECT_FALSE(root().hasChildren());
}

// ---------------------------------------------------------------- closing

TEST_F(CatalogueCommandsTest, CloseQueryAnswers)
{
    struct Case {
        const char* name;
        bool modified;
        bool categoryEdited;
        bool shopOpen;
        std::optional<Answer> answer; // none: no question expected
        bool closes;
        bool saves;
    };
    const std::vector<Case> cases = {
        {"unmodified", false, false, true, std::nullopt, true, false},
        {"modified, Yes", true, false, true, Answer::Yes, true, true},
        {"modified, No", true, false, true, Answer::No, true, false},
        {"modified, Cancel", true, false, true, Answer::Cancel, false, false},
        {"category edited, Yes", false, true, true, Answer::Yes, true, true},
        {"category edited, Cancel", false, true, true, Answer::Cancel, false, false},
        {"modified but no shop open", true, true, false, std::nullopt, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FreshCommands fresh;
        auto& [state, edit, user, cmds] = fresh;
        state.SettingsModified = c.modified;
        edit.CategoryEdited = c.categoryEdited;
        edit.ShopOpen = c.shopOpen;
        int saves = 0;
        int locationWrites = 0;
        cmds.saveCatalogue = [&] {
            ++saves;
            return SaveOutcome::Saved;
        };
        cmds.writeProgramLocation = [&] { ++locationWrites; };
        if (c.answer)
            user.answers.push_back(*c.answer);

        EXPECT_EQ(cmds.closeQuery(state.SettingsModified), c.closes);

        if (c.answer) {
            ASSERT_EQ(user.said.size(), 1u);
            EXPECT_EQ(user.said[0].text, "Do you wish to save the catalogue?");
            EXPECT_EQ(user.said[0].kind, MessageKind::Warning);
            EXPECT_TRUE(user.said[0].question);
        } else {
            EXPECT_TRUE(user.said.empty());
        }
        EXPECT_EQ(saves, c.saves ? 1 : 0);
        EXPECT_EQ(locationWrites, 1) << "written whatever the answer";
    }
}

TEST_F(CatalogueCommandsTest, YesToTheSaveQuestionThenNoToTheSaveConfirmationKeepsTheWindowOpen)
{
    app.SettingsModified = true;
    bool saved = false;
    int locationWrites = 0;
    commands.saveCatalogue = [&] {
        // The Save command asks its own confirmation first.
        if (ui.ask("Save the catalogue?", MessageKind::Confirmation, Buttons::YesNo) != Answer::Yes)
            return SaveOutcome::Declined;
        saved = true;
        return SaveOutcome::Saved;
    };
    commands.writeProgramLocation = [&] { ++locationWrites; };
    ui.answers = {Answer::Yes, Answer::No};

    EXPECT_FALSE(commands.closeQuery(app.SettingsModified));
    EXPECT_FALSE(saved);
    EXPECT_TRUE(app.SettingsModified) << "the changes are still there to save";
    EXPECT_EQ(locationWrites, 1);
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"Do you wish to save the catalogue?", "Save the catalogue?"}));
}

TEST_F(CatalogueCommandsTest, ASaveThatFailsKeepsTheWindowOpen)
{
    app.SettingsModified = true;
    int locationWrites = 0;
    commands.saveCatalogue = [] { return SaveOutcome::Failed; };
    commands.writeProgramLocation = [&] { ++locationWrites; };
    ui.answers = {Answer::Yes};

    EXPECT_FALSE(commands.closeQuery(app.SettingsModified));
    EXPECT_EQ(locationWrites, 1);
}

TEST_F(CatalogueCommandsTest, AFailedSaveKeepsTheWindowOpenButStillWritesTheLocationFile)
{
    app.SettingsModified = true;
    int locationWrites = 0;
    commands.saveCatalogue = []() -> SaveOutcome {
        throw std::runtime_error("Cannot create file shop.data");
    };
    commands.writeProgramLocation = [&] { ++locationWrites; };
    ui.answers = {Answer::Yes};

    EXPECT_THROW(commands.closeQuery(app.SettingsModified), std::runtime_error);
    EXPECT_EQ(locationWrites, 1);
}

TEST_F(CatalogueCommandsTest, CloseQueryWorksWithoutPluggedInCommands)
{
    app.SettingsModified = true;
    ui.answers = {Answer::Yes};
    EXPECT_TRUE(commands.closeQuery(app.SettingsModified));
}

} // namespace
} // namespace qs
