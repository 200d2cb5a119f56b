#pragma once

#include <string>
#include <vector>

namespace qs::faults {

inline constexpr const char* shopName = "Demo";

// An operation that writes the shop's files, as the command that performs
// it on the shop in a trial folder: the program folder is "program" there,
// the tables to import are in "tables".
struct Operation {
    std::string name;
    std::vector<std::string> (*command)(const std::string& name, const std::string& trialFolder);
    // The folder (from the trial folder) that a failed try may leave part
    // built once the files outside it were all saved: the export's upload
    // folder. Empty: a failed try leaves every file as it was.
    std::string partBuiltFolder = {};

    std::vector<std::string> commandIn(const std::string& trialFolder) const { return command(name, trialFolder); }
};

// Saving the catalogue, importing, exporting, and the OK of every settings
// dialog that writes a file of its own.
const std::vector<Operation>& operations();

// quaystall-cli on the program folder of a trial folder.
std::vector<std::string> cliCommand(const std::string& trialFolder, std::vector<std::string> arguments);

} // namespace qs::faults
