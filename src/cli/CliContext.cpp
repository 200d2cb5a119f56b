#include "cli/CliContext.h"

#include "core/app/ProgramFolder.h"
#include "core/app/Startup.h"

#include <exception>
#include <optional>

namespace qs::cli {

void CliContext::refuse(std::string_view message)
{
    ui.message(message, MessageKind::Error);
    refused_ = true;
}

bool CliContext::runCommand()
{
    try {
        return command_(*this);
    } catch (const std::exception& error) {
        ui.message(error.what(), MessageKind::Error);
        return false;
    }
}

int CliContext::run()
{
    if (refused_)
        return 1;
    if (!command_)
        return 0;
    try {
        const std::optional<std::string> folder =
            prepareProgramFolder(currentProgramFolderPlaces(programDir), ui);
        if (!folder)
            return 1;
        state_ = std::make_unique<AppState>(*folder);
        if (!StartUp(*state_, ui))
            return 1;
        const bool succeeded = runCommand();
        // Written even after a failed command, as the desktop program does on leaving.
        ShutDown(*state_);
        return succeeded ? 0 : 1;
    } catch (const std::exception& error) {
        ui.message(error.what(), MessageKind::Error);
        return 1;
    }
}

} // namespace qs::cli
