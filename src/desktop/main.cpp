#include "core/app/About.h"
#include "core/app/AppState.h"
#include "core/app/ProgramFolder.h"
#include "core/app/Startup.h"
#include "gui/app/ShopActions.h"
#include "gui/app/TCMForm.h"
#include "gui/app/WindowMemory.h"
#include "gui/import/ImportActions.h"
#include "gui/publish/KeyringPasswords.h"
#include "gui/publish/PublishActions.h"
#include "gui/publish/UploadActions.h"
#include "gui/settings/OptionsActions.h"
#include "gui/ui/QtUserInterface.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>

#include <iostream>

int main(int argc, char** argv)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Quaystall DB builds online shops and prepares them for a web server.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version("version", "Displays version information.");
    const QCommandLineOption programDir(
        "program-dir",
        "The program folder (default: the working directory when it is one, else $XDG_DATA_HOME/quaystall "
        "or ~/.local/share/quaystall).",
        "DIR");
    parser.addOption(version);
    parser.addOption(programDir);

    // --version and --help need no display, so they are answered before the
    // application starts. Qt's own options are unknown to the parser until
    // the application has taken them out: the real check comes after.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    parser.parse(arguments);
    if (parser.isSet(version)) {
        std::cout << qs::versionLine << '\n';
        return 0;
    }
    if (parser.isSet(help)) {
        // Without the application the parser knows no program name.
        std::cout << parser.helpText().replace("<executable_name>", "quaystall").toStdString();
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName("Quaystall DB");
    QApplication::setApplicationVersion(QUAYSTALL_VERSION);
    QApplication::setDesktopFileName("org.quaystall.QuaystallDB");
    parser.process(application);

    qs::gui::QtUserInterface startupUi;
    const std::optional<std::string> folder = qs::prepareProgramFolder(
        qs::currentProgramFolderPlaces(QFile::encodeName(parser.value(programDir)).toStdString()), startupUi);
    if (!folder)
        return 1;
    qs::AppState state(*folder);

    qs::gui::TCMForm form(state);
    qs::gui::ShopActions shopActions(form, state, form.userInterface());
    qs::gui::PublishActions publishActions(form, state, form.userInterface(), shopActions);
    qs::gui::KeyringPasswords keyring;
    qs::gui::UploadActions uploadActions(form, state, form.userInterface(), publishActions, keyring);
    qs::gui::OptionsActions optionsActions(form, state, form.userInterface());
    qs::gui::ImportActions importActions(form, state);
    qs::gui::WindowMemory memory(form, shopActions.openShopForm());
    if (!qs::StartUp(state, form.userInterface()))
        return 1;

    form.show();
    // Its first activation offers the shops; ask for it, as a desktop
    // without a window manager gives none by itself.
    form.activateWindow();
    return QApplication::exec();
}
