// The importer window loading a big table and showing it, offscreen: the
// time from reading the file to the grid painted, and scrolling from the
// first row to the last, page by page with a paint each time.
//
//   QT_QPA_PLATFORM=offscreen bench_import_window TABLE [SCREENSHOT.png]
//   (a table with its .sff beside it, such as bench/import/make-stock-table.py writes)

#include "core/app/AppState.h"
#include "gui/import/TImportForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTableView>

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "bench_import_window TABLE [SCREENSHOT.png]\n");
        return 2;
    }
    qs::AppState state(std::filesystem::temp_directory_path().string());
    qs::gui::TImportForm form(state);
    form.resize(1280, 800);

    QElapsedTimer timer;
    timer.start();
    if (!form.openTable(std::filesystem::absolute(argv[1]).string()))
        return 1;
    form.show();
    QApplication::processEvents();
    form.StringGrid->viewport()->repaint();
    std::printf("load and show %d rows: %.0f ms\n", form.StringGrid->model()->rowCount(),
                static_cast<double>(timer.nsecsElapsed()) / 1e6);

    QScrollBar* bar = form.StringGrid->verticalScrollBar();
    const int page = std::max(1, bar->pageStep());
    timer.restart();
    int pages = 0;
    for (int value = 0; value <= bar->maximum(); value += page * 100, ++pages) {
        bar->setValue(value);
        form.StringGrid->viewport()->repaint();
    }
    bar->setValue(bar->maximum());
    form.StringGrid->viewport()->repaint();
    std::printf("jump through the table in %d steps: %.2f ms a step\n", pages + 1,
                static_cast<double>(timer.nsecsElapsed()) / 1e6 / (pages + 1));
    if (argc > 2) {
        bar->setValue(0);
        form.grab().save(argv[2]);
    }
    return 0;
}
