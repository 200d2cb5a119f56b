#include "Operations.h"

namespace qs::faults {
namespace {

std::string programFolder(const std::string& trialFolder)
{
    return trialFolder + "/program";
}

std::string smallTable(const std::string& trialFolder)
{
    return trialFolder + "/tables/stock.csv";
}

std::vector<std::string> importCommand(const std::string&, const std::string& trial)
{
    return cliCommand(trial, {"import", shopName, smallTable(trial), "--skip-rows", "1"});
}

std::vector<std::string> exportCommand(const std::string&, const std::string& trial)
{
    return cliCommand(trial, {"export", shopName});
}

// The operation of quaystall-fault-driver (FaultDriver.cpp) of the same name.
std::vector<std::string> driverCommand(const std::string& name, const std::string& trial)
{
    return {QUAYSTALL_FAULT_DRIVER, programFolder(trial), shopName, name, smallTable(trial)};
}

} // namespace

std::vector<std::string> cliCommand(const std::string& trialFolder, std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), {QUAYSTALL_CLI, "--program-dir", programFolder(trialFolder)});
    return arguments;
}

const std::vector<Operation>& operations()
{
    static const std::vector<Operation> all = {
        {"save", driverCommand},
        {"import", importCommand},
        {"export", exportCommand, "program/upload"},
        {"vat-details", driverCommand},
        {"vat-countries", driverCommand},
        {"postage", driverCommand},
        {"admin-password", driverCommand},
        {"flavours", driverCommand},
        {"terms", driverCommand},
        {"location", driverCommand},
        {"preview-settings", driverCommand},
        {"column-assignments", driverCommand},
        {"merchant-details", driverCommand},
    };
    return all;
}

} // namespace qs::faults
