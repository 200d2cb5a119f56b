#pragma once

// What the fuzz targets share: a merchant who agrees to everything, a shop
// of their own whose files each input starts without, and the check that
// stops the run when something that must hold does not.

#include "core/ui/Progress.h"
#include "core/ui/UserInterface.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qs {
struct AppState;
}

namespace qs::fuzz {

// Answers Yes to every question and cancels every input box.
class QuietUser : public UserInterface {
public:
    void message(std::string_view, MessageKind) override { ++messages; }
    Answer ask(std::string_view, MessageKind, Buttons) override { return Answer::Yes; }
    std::optional<std::string> inputText(std::string_view, std::string_view, std::string_view) override
    {
        return std::nullopt;
    }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
    Progress& progress() override { return progress_; }

    // How many messages it was told.
    int messages = 0;

private:
    SilentProgress progress_;
};

// The shop "Fuzz" in a folder of this process, made afresh for each input:
// an empty program folder, local CGI folder and the shop's CGI and data
// folders. The folder lies in memory where the system has such a place, so
// that the syncs of every save cost nothing, and goes when the process ends.
class FuzzShop {
public:
    FuzzShop();

    // Paths and shop name of the fuzz shop, as the program has them once the
    // shop is chosen.
    void enter(AppState& state) const;

    const std::string& programDir() const { return programDir_; }
    std::string programFile(std::string_view name) const;
    std::string cgiFile(std::string_view name) const;
    std::string dataFile(std::string_view name) const;

private:
    std::string programDir_;
    std::string localCgi_;
    std::string shopCgi_;
};

// The input as the bytes of a file.
inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// Stops the run with what did not hold; libFuzzer keeps the input.
[[noreturn]] void fail(std::string_view what);

inline void check(bool holds, std::string_view what)
{
    if (!holds)
        fail(what);
}

// The same for two texts that must be the same, showing both when they are not.
void checkSame(std::string_view first, std::string_view second, std::string_view what);

} // namespace qs::fuzz
