// Renaming a product checks its name against every other product of its
// category, so the check must not grow with the category: renaming each of
// ten times as many products should take about ten times as long, not a
// hundred times.

#include "core/catalogue/Catalogue.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

struct Timing {
    double createSeconds;
    double renameSeconds;
};

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

Timing timeOnce(int products)
{
    qs::Catalogue catalogue;
    qs::TNewCategory& category = catalogue.addCategory(catalogue.root(), "Everything");
    const auto created = Clock::now();
    for (int i = 0; i < products; ++i)
        catalogue.createProduct(category);
    const double createSeconds = secondsSince(created);

    const auto renamed = Clock::now();
    for (int i = 0; i < products; ++i) {
        qs::TNewProduct& product = *category.products()[static_cast<std::size_t>(i)];
        if (!product.trySetField(qs::FieldNames::ProductName, "Renamed product " + std::to_string(i))) {
            std::fprintf(stderr, "rename %d refused\n", i);
            std::exit(1);
        }
    }
    return {createSeconds, secondsSince(renamed)};
}

// The best of a few runs, as the machine is shared.
Timing bestOf(int runs, int products)
{
    Timing best = timeOnce(products);
    for (int run = 1; run < runs; ++run) {
        const Timing t = timeOnce(products);
        best.createSeconds = std::min(best.createSeconds, t.createSeconds);
        best.renameSeconds = std::min(best.renameSeconds, t.renameSeconds);
    }
    return best;
}

} // namespace

int main()
{
    constexpr int small = 10000;
    constexpr int large = 100000;
    const Timing a = bestOf(5, small);
    const Timing b = bestOf(5, large);
    std::printf("%9s %12s %12s\n", "products", "create ms", "rename ms");
    std::printf("%9d %12.2f %12.2f\n", small, a.createSeconds * 1e3, a.renameSeconds * 1e3);
    std::printf("%9d %12.2f %12.2f\n", large, b.createSeconds * 1e3, b.renameSeconds * 1e3);
    std::printf("ratio %d/%d: create %.1f, rename %.1f (linear is 10, quadratic 100)\n", large, small,
                b.createSeconds / a.createSeconds, b.renameSeconds / a.renameSeconds);
    return 0;
}
