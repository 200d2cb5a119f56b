// Any bytes as the list of scripts a new shop gets (AllCGIFiles.txt in the
// local CGI folder) either create the shop or stop with a message. Either
// way nothing else in the local CGI folder changes, and every file the list
// brought into the shop's CGI folder is a file beside the list, its "#!"
// line naming the local Perl and every line ended by CR LF.
#include "FuzzShop.h"

#include "core/app/AppState.h"
#include "core/app/ShopWorkspace.h"
#include "core/app/VersionMark.h"
#include "core/settings/ShopSettingsFile.h"
#include "core/text/AtomicFile.h"
#include "core/text/FileError.h"
#include "core/text/FileOps.h"
#include "core/text/JoinPath.h"
#include "core/text/LineSplitter.h"
#include "core/text/ReadFile.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;
using qs::fuzz::check;
using qs::fuzz::checkSame;

// The scripts beside the list, by name.
const std::map<std::string, std::string> scripts = {
    {"Catalogue.pl", "#!/usr/local/bin/perl -w\nuse strict;\r\nprint \"Content-type: text/html\\n\\n\";\r"},
    {"CGIFiles.txt", "Catalogue.pl\r\n"},
    {"empty.pl", ""},
};

// A script as the copy writes it: CR LF line ends, but the interpreter line
// ends in a line feed alone.
std::string copied(std::string_view script, std::string_view perl)
{
    std::string text;
    bool first = true;
    qs::forEachLine(script, [&](std::string_view line) {
        if (std::exchange(first, false) && line.starts_with("#!"))
            text.append("#!").append(perl).append("\n");
        else
            text.append(line).append("\r\n");
    });
    return first ? "\r\n" : text;
}

// Every entry under the folder with the bytes of the files, one sub-folder left out.
std::map<std::string, std::string> filesUnder(const std::string& folder, const std::string& leftOut)
{
    std::map<std::string, std::string> files;
    for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator(); ++it) {
        if (it->path() == leftOut) {
            it.disable_recursion_pending();
            continue;
        }
        files[it->path().string()] = it->is_regular_file() ? qs::readFileBytes(it->path().string()) : "";
    }
    return files;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view list = qs::fuzz::bytesOf(data, size);
    const qs::fuzz::FuzzShop shop;
    qs::AppState state(shop.programDir());
    shop.enter(state);
    const std::string shopCgi = state.ShopCGIDir();
    fs::remove_all(shopCgi);
    std::map<std::string, std::string> beside = scripts;
    beside[std::string(qs::allScriptsListName)] = list;
    for (const auto& [name, bytes] : beside)
        qs::writeFileAtomically(qs::joinPath(state.LocCGI, name), bytes);
    const auto before = filesUnder(state.LocCGI, shopCgi);

    qs::fuzz::QuietUser user;
    try {
        check(qs::CreateShop(state, user, state.ShopName), "a shop that is not there is created");
    } catch (const qs::FileError&) {
        check(user.messages > 0, "a list that stops the copy is told");
    }

    check(filesUnder(state.LocCGI, shopCgi) == before, "nothing else in the local CGI folder changes");
    if (!fs::exists(shopCgi))
        return 0;
    for (const auto& entry : fs::directory_iterator(shopCgi)) {
        const std::string name = entry.path().filename().string();
        if (name == "data" || name == qs::settingsFileName || name == qs::shopScriptsMarkName)
            continue;
        const auto script = beside.find(name);
        check(script != beside.end(), "only files beside the list are copied");
        checkSame(copied(script->second, state.LocPerlPath), qs::readFileBytes(entry.path().string()),
                  "a script is copied line for line");
    }
    return 0;
}
