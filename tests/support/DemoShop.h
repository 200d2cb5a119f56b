#pragma once

#include "ScriptedUserInterface.h"
#include "core/app/AppState.h"
#include "TempFolder.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace qs::test {

// The shop "Demo" open in a program folder of its own, its CGI and data
// folders made, with the scripted user that its dialogs talk to.
class DemoShop {
public:
    DemoShop() : state(folder.path().string())
    {
        state.LocCGI = folder.file("cgi");
        state.ShopName = "Demo";
        std::filesystem::create_directories(state.ShopDataDir());
    }

    // A name in the shop's CGI folder as the program folder's write and read take it.
    static std::string inCgi(std::string_view name) { return "cgi/Demo-cgi/" + std::string(name); }
    // A file of the shop's data folder.
    void writeData(std::string_view name, std::string_view bytes) const
    {
        folder.write(inCgi("data/" + std::string(name)), bytes);
    }
    std::string data(std::string_view name) const { return folder.read(inCgi("data/" + std::string(name))); }

    TempFolder folder;
    AppState state;
    ScriptedUserInterface ui;
};

} // namespace qs::test
