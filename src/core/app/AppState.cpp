#include "core/app/AppState.h"

namespace qs {

AppState::AppState(std::string programDir)
{
    ProgramDir = std::move(programDir);
}

void AppState::markSaved()
{
    SettingsModified = false;
    history.markClean();
}

} // namespace qs
