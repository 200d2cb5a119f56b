#include "TCMForm.h"
#include "app/AppState.h"

#include <QApplication>

#include <filesystem>

int main(int argc, char** argv)
{
    // The working directory, not the program's own folder, is the program
    // directory, and it is fixed before any window exists.
    qs::AppState state(std::filesystem::current_path().string());

    QApplication application(argc, argv);
    QApplication::setApplicationName("Quaystall DB");
    QApplication::setApplicationVersion("1.09");

    qs::gui::TCMForm form(state);
    form.show();
    return QApplication::exec();
}
