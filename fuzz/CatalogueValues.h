#pragma once

#include "core/catalogue/Catalogue.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qs::fuzz {

// Walks every category of a catalogue in tree order with its path: the names
// from the top level down, joined by "|". One walker serves walk after walk
// and keeps its memory between them.
class CategoryPaths {
public:
    // Gives visit each category and its path, which lasts until the next is given.
    template <typename Visit> void forEach(const Catalogue& catalogue, Visit&& visit)
    {
        // A stack of its own, as a catalogue may be deeper than the call stack;
        // one path serves the walk, each category's name added as it is entered.
        path_.clear();
        pending_.clear();
        pushChildren(catalogue.root(), 0);
        while (!pending_.empty()) {
            const auto [category, pathLength] = pending_.back();
            pending_.pop_back();
            path_.resize(pathLength);
            if (pathLength > 0)
                path_.back() = '|';
            path_.append(category->text());
            visit(*category, std::string_view(path_));
            pushChildren(*category, path_.size() + 1);
        }
    }

private:
    struct Level {
        const TNewCategory* category;
        // Of its parent's path and the "|" after it; 0 at the top level.
        std::size_t pathLength;
    };

    void pushChildren(const TNewCategory& category, std::size_t pathLength)
    {
        for (auto child = category.children().rbegin(); child != category.children().rend(); ++child)
            pending_.push_back({child->get(), pathLength});
    }

    std::string path_;
    std::vector<Level> pending_;
};

// Appends the product's line to out, without a line end: its category's
// path, then each field that holds a value, number and value. Two catalogues
// hold the same products with the same values when their lines are the same.
void appendProductValues(std::string& out, std::string_view path, const TNewProduct& product);

// Gives onProduct the line of every product of the catalogue, in tree order.
// A line lasts until the next is given.
void forEachProductValues(const Catalogue& catalogue, const std::function<void(std::string_view)>& onProduct);

} // namespace qs::fuzz
