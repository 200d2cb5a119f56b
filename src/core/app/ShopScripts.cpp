#include "core/app/ShopScripts.h"

#include "core/app/AppState.h"
#include "core/app/VersionMark.h"
#include "core/text/FileOps.h"
#include "core/ui/UserInterface.h"

namespace qs {

void bringShopScriptsUpToDate(const AppState& state, UserInterface& ui)
{
    const std::string folder = state.ShopCGIDir();
    if (!DirExists(folder) || readVersionMark(folder, shopScriptsMarkName) == QUAYSTALL_VERSION)
        return;
    const std::string missing = CopyListedScripts(ui, state.LocCGI, state.LocCGI, folder, state.LocPerlPath,
                                                  std::string(allScriptsListName));
    if (!missing.empty()) {
        ui.message(missing, MessageKind::Warning);
        return;
    }
    markShopScriptsCurrent(state);
}

void markShopScriptsCurrent(const AppState& state)
{
    writeVersionMark(state.ShopCGIDir(), shopScriptsMarkName, QUAYSTALL_VERSION);
}

} // namespace qs
