#include "core/settings/ShopPaths.h"

#include "core/text/JoinPath.h"

namespace qs {

std::string ShopPaths::ShopCGIDir() const
{
    return LocCGI + "/" + ShopName + "-cgi";
}

std::string ShopPaths::ShopDataDir() const
{
    return ShopCGIDir() + "/data";
}

std::string ShopPaths::RemoteShopCGI() const
{
    std::string_view base = RemCGI;
    while (base.ends_with('/'))
        base.remove_suffix(1);
    return std::string(base) + "/" + ShopName + "-cgi";
}

std::string ShopPaths::fallbackLocCGI() const
{
    return joinPath(ProgramDir, std::string(programScriptsFolder));
}

std::string ShopPaths::fallbackLocImg() const
{
    return joinPath(ProgramDir, "Apache/htdocs/images");
}

std::string ShopPaths::programFile(const std::string& name) const
{
    return joinPath(ProgramDir, name);
}

} // namespace qs
