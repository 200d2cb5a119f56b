#include "core/publish/HostDenyRules.h"

#include "core/text/AtomicFile.h"
#include "core/text/JoinPath.h"

namespace qs {
namespace {

// Apache 2.4 and 2.2 both: only the directives these need, so that a host
// that lets .htaccess files change little still reads them.
constexpr std::string_view refuseAll = "  <IfModule mod_authz_core.c>\r\n"
                                       "    Require all denied\r\n"
                                       "  </IfModule>\r\n"
                                       "  <IfModule !mod_authz_core.c>\r\n"
                                       "    Order allow,deny\r\n"
                                       "    Deny from all\r\n"
                                       "  </IfModule>\r\n";

void writeRules(const std::string& path, const std::string& rules)
{
    AtomicFileWriter writer(path, AtomicFileWriter::Leftovers::RemoveFirst, FileAccess::Published);
    writer.write(rules);
    writer.commit();
}

} // namespace

std::string cgiFolderRules()
{
    return "# Written by the export: the shop's scripts run, its other files are never served.\r\n"
           "<FilesMatch \"(\\.pm|^admin\\.pass|^qstl2\\.cfg|^location\\.cfg|^upload\\.cfg|^\\.ht.*)$\">\r\n" +
           std::string(refuseAll) + "</FilesMatch>\r\n";
}

std::string dataFolderRules()
{
    return "# Written by the export: the shop's data (orders, baskets, customers) is never served.\r\n" +
           std::string(refuseAll);
}

void writeHostDenyRules(const std::string& uploadCGIDir)
{
    writeRules(joinPath(uploadCGIDir, std::string(hostRulesFileName)), cgiFolderRules());
    writeRules(joinPath(joinPath(uploadCGIDir, "data"), std::string(hostRulesFileName)), dataFolderRules());
}

} // namespace qs
