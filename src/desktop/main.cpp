#include "gui/app/ShopActions.h"
#include "gui/app/TCMForm.h"
#include "core/app/AppState.h"
#include "core/app/Startup.h"
#include "gui/import/ImportActions.h"
#include "gui/publish/PublishActions.h"
#include "gui/settings/OptionsActions.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // The working directory, not the program's own folder, is the program
    // directory, and it is fixed before any window exists.
    qs::AppState state(qs::startupProgramDir());

    QApplication application(argc, argv);
    QApplication::setApplicationName("Quaystall DB");
    QApplication::setApplicationVersion(QUAYSTALL_VERSION);

    qs::gui::TCMForm form(state);
    qs::gui::ShopActions shopActions(form, state, form.userInterface());
    qs::gui::PublishActions publishActions(form, state, form.userInterface(), shopActions);
    qs::gui::OptionsActions optionsActions(form, state, form.userInterface());
    qs::gui::ImportActions importActions(form, state);
    if (!qs::StartUp(state, form.userInterface()))
        return 1;

    form.show();
    // Its first activation offers the shops; ask for it, as a desktop
    // without a window manager gives none by itself.
    form.activateWindow();
    return QApplication::exec();
}
