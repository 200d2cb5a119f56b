// The product grid with a category of 100,000 products, offscreen: how long
// selecting the category takes until the grid is painted, and how long
// scrolling from the first row to the last takes, page by page with a paint
// each time. Scrolling a tenth of the rows should take about a tenth as long.
//
//   QT_QPA_PLATFORM=offscreen bench_grid [products]

#include "gui/app/TCMForm.h"
#include "core/app/AppState.h"
#include "core/catalogue/Catalogue.h"
#include "gui/catalogue/grids/GridView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Scrolls rows pages down from the top, painting after each page; milliseconds.
double scroll(qs::gui::GridView& grid, int rows)
{
    QScrollBar* bar = grid.verticalScrollBar();
    bar->setValue(0);
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    const int page = std::max(1, bar->pageStep());
    for (int value = 0; value < rows; value += page) {
        bar->setValue(value);
        grid.viewport()->repaint();
    }
    const double milliseconds = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    std::printf("  %d pages of %d rows, %.2f ms a page\n", rows / page + 1, page,
                milliseconds / (rows / page + 1));
    return milliseconds;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int products = argc > 1 ? std::atoi(argv[1]) : 100000;

    qs::AppState state("/nonexistent");
    qs::gui::TCMForm form(state, nullptr);
    form.resize(1280, 800);
    form.setShopOpen(true);
    form.show();
    qs::Catalogue& catalogue = state.catalogue;
    qs::TNewCategory& big = catalogue.addCategory(catalogue.root(), "Everything");
    big.setDetail("Default Price", "9.99");
    for (int i = 0; i < products; ++i) {
        qs::TNewProduct& product = catalogue.createProduct(big);
        if (i % 2)
            product.trySetField(qs::FieldNames::intern("Price"), std::to_string(i % 100) + ".50");
        product.trySetField(qs::FieldNames::intern("Description"), "A product of the big category");
    }
    QApplication::processEvents();

    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        form.selectNode(catalogue.root());
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        form.selectNode(big);
        form.ProdGrid1->viewport()->repaint();
        best = std::min(best, static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("show a category of %d products: %.1f ms\n", products, best);
    const int rows = products + 1;
    const double tenth = scroll(*form.ProdGrid1, rows / 10);
    const double all = scroll(*form.ProdGrid1, rows);
    std::printf("scroll %d rows: %.1f ms\nscroll %d rows: %.1f ms (%.1f times as long)\n", rows / 10, tenth,
                rows, all, all / tenth);
    return 0;
}
