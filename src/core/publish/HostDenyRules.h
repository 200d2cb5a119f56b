#pragma once

#include <string>
#include <string_view>

namespace qs {

// The web host's rules that keep the shop's own files from being served.
// A host that switches CGI on by handler (".pl" files run wherever they
// are) serves every other file of the CGI folder as it stands: the
// password file, the settings, the modules, the orders in the data folder.
// The export therefore writes Apache's rules beside the scripts and into
// the data folder; hosts that read no such file (lighttpd, nginx) are told
// on the help page what to set.

inline constexpr std::string_view hostRulesFileName = ".htaccess";

// The rules for the CGI folder: the modules, admin.pass, qstl2.cfg,
// location.cfg and upload.cfg refused.
std::string cgiFolderRules();
// The rules for the data folder: everything in it refused.
std::string dataFolderRules();

// Writes both into the upload's CGI folder and its data folder; throws
// FileError when one cannot be written.
void writeHostDenyRules(const std::string& uploadCGIDir);

} // namespace qs
