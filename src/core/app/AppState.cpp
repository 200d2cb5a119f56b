#include "core/app/AppState.h"

namespace qs {

AppState::AppState(std::string programDir) : ProgramDir(std::move(programDir)) {}

std::string joinPath(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

void AppState::markSaved()
{
    SettingsModified = false;
    history.markClean();
}

std::string AppState::ShopCGIDir() const
{
    return LocCGI + "/" + ShopName + "-cgi";
}

std::string AppState::ShopDataDir() const
{
    return ShopCGIDir() + "/data";
}

std::string AppState::fallbackLocCGI() const
{
    return joinPath(ProgramDir, "Apache/cgi-bin/qstldb");
}

std::string AppState::fallbackLocImg() const
{
    return joinPath(ProgramDir, "Apache/htdocs/images");
}

std::string AppState::programFile(const std::string& name) const
{
    return joinPath(ProgramDir, name);
}

} // namespace qs
