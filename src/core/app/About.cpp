#include "core/app/About.h"

#include "core/settings/ShopPaths.h"

namespace qs {

std::string aboutText(const ShopPaths& paths)
{
    return std::string(versionLine) + "\r\n\r\nProgram folder: " + paths.ProgramDir;
}

} // namespace qs
