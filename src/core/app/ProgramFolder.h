#pragma once

#include <optional>
#include <string>

namespace qs {

class UserInterface;

// The program folder holds the merchant's shops, the program-wide settings,
// the master shop scripts new shops are made from, the tool-bar pictures and
// the help. The program chooses it at start-up:
//   1. the folder named with --program-dir;
//   2. else the working folder, when it is a program folder;
//   3. else the merchant's own: $XDG_DATA_HOME/quaystall, or
//      ~/.local/share/quaystall when XDG_DATA_HOME is unset or not absolute.
// A chosen folder that is no program folder yet is made from the installed
// master copy; one the program made (it carries the version mark) is brought
// up to the master copy once for each new version. A program folder without
// the mark, such as a copy of the master made by hand, is used as it is.

// What start-up goes by.
struct ProgramFolderPlaces {
    // --program-dir; empty when not given.
    std::string chosen;
    std::string workingFolder;
    // $XDG_DATA_HOME and $HOME; empty when unset.
    std::string dataHome;
    std::string home;
    // The master copy installed with the program.
    std::string masterCopy;
    // The program's version, which the mark keeps.
    std::string version;
};

// The places of this run: the working folder, the environment, the master
// copy beside the running program, and the program's version.
ProgramFolderPlaces currentProgramFolderPlaces(std::string chosen);

// Where an installed program's master copy is: share/quaystall/program
// under the folder above the one holding the executable.
std::string masterCopyBeside(const std::string& executable);

// A folder holding the master shop scripts' folder and the tool-bar pictures.
bool isProgramFolder(const std::string& folder);

// The folder the rules above choose, absolute; empty when the merchant's own
// cannot be told (neither XDG_DATA_HOME nor HOME is set).
std::string chooseProgramFolder(const ProgramFolderPlaces& places);

// Chooses the program folder and makes it or brings it up to the master
// copy as needed. The folder to use; nothing after telling the user why
// there is none (no master copy to make it from, a file that could not be
// copied, no home folder).
std::optional<std::string> prepareProgramFolder(const ProgramFolderPlaces& places, UserInterface& ui);

} // namespace qs
