#include "FuzzShop.h"

#include "core/app/AppState.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace qs::fuzz {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view shopName = "Fuzz";

// The folder of this process, removed as the process ends. TMPDIR decides
// where it lies when it is set; otherwise the in-memory /dev/shm when there is one.
class ProcessFolder {
public:
    ProcessFolder()
    {
        std::error_code ec;
        const bool tmpdirSet = std::getenv("TMPDIR") != nullptr;
        const fs::path base =
            !tmpdirSet && fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        path_ = (base / ("quaystall-fuzz-" + std::to_string(::getpid()))).string();
    }
    ~ProcessFolder()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ProcessFolder(const ProcessFolder&) = delete;
    ProcessFolder& operator=(const ProcessFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

const std::string& processFolder()
{
    static const ProcessFolder folder;
    return folder.path();
}

// The text with its bytes outside printable ASCII written as \xHH.
std::string shown(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            out.push_back(c);
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out.append(escaped);
        }
        if (c == '\n')
            out.push_back('\n');
    }
    return out;
}

} // namespace

FuzzShop::FuzzShop()
    : programDir_(processFolder() + "/program"), localCgi_(processFolder() + "/cgi"),
      shopCgi_(localCgi_ + "/" + std::string(shopName) + "-cgi")
{
    // Whatever the input before left behind.
    fs::remove_all(processFolder());
    fs::create_directories(programDir_);
    fs::create_directories(shopCgi_ + "/data");
}

void FuzzShop::enter(AppState& state) const
{
    state.ProgramDir = programDir_;
    state.LocCGI = localCgi_;
    state.LocImg = processFolder() + "/images";
    state.ShopName = shopName;
}

std::string FuzzShop::programFile(std::string_view name) const
{
    return programDir_ + "/" + std::string(name);
}

std::string FuzzShop::cgiFile(std::string_view name) const
{
    return shopCgi_ + "/" + std::string(name);
}

std::string FuzzShop::dataFile(std::string_view name) const
{
    return shopCgi_ + "/data/" + std::string(name);
}

void checkSame(std::string_view first, std::string_view second, std::string_view what)
{
    if (first == second)
        return;
    std::fprintf(stderr, "\n--- first:\n%s\n--- then:\n%s\n", shown(first).c_str(), shown(second).c_str());
    fail(what);
}

void fail(std::string_view what)
{
    std::fprintf(stderr, "\n*** %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

} // namespace qs::fuzz
