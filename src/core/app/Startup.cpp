#include "core/app/Startup.h"

#include "core/app/AppState.h"
#include "core/app/Location.h"
#include "core/text/FileError.h"
#include "core/ui/UserInterface.h"

#include <filesystem>

namespace qs {

std::string startupProgramDir()
{
    std::error_code ec;
    return std::filesystem::current_path(ec).string();
}

bool StartUp(AppState& state, UserInterface& ui)
{
    try {
        LoadLocation(state, programLocationFile(state));
    } catch (const FileError& error) {
        ui.message(error.what(), MessageKind::Error);
        return false;
    }
    StoreDetails(state);
    state.InfoList.DefinitionsLoad(joinPath(joinPath(state.LocCGI, "data"), std::string(fieldInfoFileName)));
    return true;
}

void ShutDown(const AppState& state)
{
    const NameValueList values =
        state.locationWithoutShop ? *state.locationWithoutShop : locationValues(state);
    SaveLocation(values, state.locationForm.cbStartup, programLocationFile(state));
}

} // namespace qs
