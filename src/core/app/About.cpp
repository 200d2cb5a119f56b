#include "core/app/About.h"

#include "core/settings/ShopPaths.h"
#include "core/text/JoinPath.h"

namespace qs {

std::string aboutText(const ShopPaths& paths)
{
    return std::string(versionLine) + "\r\n\r\nProgram folder: " + paths.ProgramDir +
           "\r\nShops' scripts and data: " + paths.LocCGI + "\r\nShops' pictures: " + paths.LocImg +
           "\r\nUpload folder: " + joinPath(paths.ProgramDir, "upload");
}

} // namespace qs
