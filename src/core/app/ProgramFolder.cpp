#include "core/app/ProgramFolder.h"

#include "core/app/ProgramFolderUpdate.h"
#include "core/app/VersionMark.h"
#include "core/settings/ShopPaths.h"
#include "core/text/FileError.h"
#include "core/text/FileOps.h"
#include "core/text/JoinPath.h"
#include "core/ui/UserInterface.h"

#include <cstdlib>
#include <filesystem>

namespace qs {
namespace fs = std::filesystem;

namespace {

std::string environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string noHomeMessage()
{
    return "Quaystall DB cannot tell where to keep your shops: neither XDG_DATA_HOME nor HOME is set. "
           "Start it with --program-dir naming the folder to keep them in.";
}

std::string noMasterMessage(const std::string& folder, const std::string& master)
{
    return "The program folder " + folder + " cannot be made: the master copy it is made from is not at " +
           master + ". Install Quaystall DB again, or start it with --program-dir naming a program folder.";
}

std::string masterGoneMessage(const std::string& folder, const std::string& master,
                              const std::string& version)
{
    return "The program folder " + folder + " cannot be brought up to version " + version +
           ": the master copy is not at " + master + ". The folder is used as it is.";
}

std::string updateFailedMessage(const std::string& folder, const FileError& error)
{
    return "The program folder " + folder + " could not be brought up to the installed master copy. " +
           error.what();
}

} // namespace

ProgramFolderPlaces currentProgramFolderPlaces(std::string chosen)
{
    std::error_code ec;
    const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    return {.chosen = std::move(chosen),
            .workingFolder = fs::current_path(ec).string(),
            .dataHome = environmentValue("XDG_DATA_HOME"),
            .home = environmentValue("HOME"),
            .masterCopy = masterCopyBeside(executable.string()),
            .version = QUAYSTALL_VERSION};
}

std::string masterCopyBeside(const std::string& executable)
{
    return (fs::path(executable).parent_path().parent_path() / "share/quaystall/program").string();
}

bool isProgramFolder(const std::string& folder)
{
    return DirExists(joinPath(folder, std::string(programScriptsFolder))) &&
           DirExists(joinPath(folder, "Buttons"));
}

std::string chooseProgramFolder(const ProgramFolderPlaces& places)
{
    std::error_code ec;
    if (!places.chosen.empty())
        return fs::absolute(places.chosen, ec).string();
    if (isProgramFolder(places.workingFolder))
        return places.workingFolder;
    // Relative values are to be ignored, as if unset.
    if (fs::path(places.dataHome).is_absolute())
        return joinPath(places.dataHome, "quaystall");
    if (!places.home.empty())
        return joinPath(places.home, ".local/share/quaystall");
    return {};
}

std::optional<std::string> prepareProgramFolder(const ProgramFolderPlaces& places, UserInterface& ui)
{
    const std::string folder = chooseProgramFolder(places);
    if (folder.empty()) {
        ui.message(noHomeMessage(), MessageKind::Error);
        return std::nullopt;
    }
    const bool made = isProgramFolder(folder);
    const std::optional<std::string> mark = readVersionMark(folder, programFolderMarkName);
    if (made && (!mark || *mark == places.version))
        return folder;
    if (!isProgramFolder(places.masterCopy)) {
        if (!made) {
            ui.message(noMasterMessage(folder, places.masterCopy), MessageKind::Error);
            return std::nullopt;
        }
        ui.message(masterGoneMessage(folder, places.masterCopy, places.version), MessageKind::Warning);
        return folder;
    }
    try {
        // An empty mark first: a start that is cut short leaves a folder the
        // next start finishes, never one that passes for complete.
        if (!mark) {
            MakeDirPath(folder);
            writeVersionMark(folder, programFolderMarkName, "");
        }
        updateFromMaster(places.masterCopy, folder);
        writeVersionMark(folder, programFolderMarkName, places.version);
    } catch (const FileError& error) {
        ui.message(updateFailedMessage(folder, error), MessageKind::Error);
        return std::nullopt;
    }
    return folder;
}

} // namespace qs
