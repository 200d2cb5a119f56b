// Undoing and redoing the deletion of a category of 100,000 products: the
// step keeps the detached sub-tree, so both should take about as long as
// moving one node, whatever the category holds.

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueChanges.h"
#include "core/catalogue/history/UndoHistory.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    const int products = argc > 1 ? std::atoi(argv[1]) : 100000;
    qs::Catalogue catalogue;
    qs::UndoHistory history(catalogue);
    qs::CatalogueChanges changes(catalogue, history);
    qs::TNewCategory& big = catalogue.addCategory(catalogue.root(), "Everything");
    for (int i = 0; i < products; ++i)
        catalogue.createProduct(big).trySetField(qs::FieldNames::intern("Price"), "9.99");

    double remove = 1e9, undo = 1e9, redo = 1e9;
    for (int run = 0; run < 3; ++run) {
        auto start = Clock::now();
        changes.deleteCategory(big);
        remove = std::min(remove, millisecondsSince(start));
        start = Clock::now();
        history.undo();
        undo = std::min(undo, millisecondsSince(start));
        start = Clock::now();
        history.redo();
        redo = std::min(redo, millisecondsSince(start));
        history.undo();
    }
    std::printf("delete a category of %d products: %.4f ms\nundo: %.4f ms\nredo: %.4f ms\n", products, remove,
                undo, redo);
    return catalogue.productCount() == static_cast<std::size_t>(products) ? 0 : 1;
}
