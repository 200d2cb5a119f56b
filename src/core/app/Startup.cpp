#include "core/app/Startup.h"

#include "core/app/AppState.h"
#include "core/app/Location.h"
#include "core/text/FileError.h"
#include "core/text/JoinPath.h"
#include "core/ui/UserInterface.h"

namespace qs {

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
    SaveLocation(values, state.locationDetails.hiddenAtStartup, programLocationFile(state));
}

} // namespace qs
