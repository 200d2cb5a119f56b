// Any bytes as a shop's catalogue file either load or stop with a message,
// and a loaded catalogue saves and loads again to the same files.
#include "app/AppState.h"
#include "catalogue/CatalogueFile.h"
#include "settings/ShopSettings.h"
#include "text/AtomicFile.h"
#include "text/ReadFile.h"
#include "ui/Progress.h"
#include "ui/UserInterface.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

class QuietUser : public qs::UserInterface {
public:
    void message(std::string_view, qs::MessageKind) override {}
    qs::Answer ask(std::string_view, qs::MessageKind, qs::Buttons) override { return qs::Answer::Yes; }
    std::optional<std::string> inputText(std::string_view, std::string_view, std::string_view) override
    {
        return std::nullopt;
    }
    std::optional<std::string> openFile(const qs::FileDialogRequest&) override { return std::nullopt; }
    qs::Progress& progress() override { return progress_; }

private:
    qs::SilentProgress progress_;
};

std::string workFolder()
{
    static const std::string folder = [] {
        std::string path = (std::filesystem::temp_directory_path() /
                            ("quaystall-fuzz-" + std::to_string(::getpid())))
                               .string();
        std::filesystem::create_directories(path + "/cgi/Fuzz-cgi/data");
        qs::ShopSettings().saveToFile(path + "/cgi/Fuzz-cgi/qstl2.cfg");
        return path;
    }();
    return folder;
}

// Loads the file into a fresh state and writes it out again; false when the load stopped.
bool loadAndRewrite(const std::string& folder, const std::string& shopData)
{
    qs::AppState state(folder);
    state.LocCGI = folder + "/cgi";
    state.ShopName = "Fuzz";
    QuietUser user;
    if (!qs::LoadCatalogue(state, user, shopData))
        return false;
    qs::AtomicFileWriter file(shopData);
    qs::writeProductFile(state.catalogue, file);
    file.commit();
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string folder = workFolder();
    const std::string shopData = folder + "/cgi/Fuzz-cgi/data/shop.data";
    qs::writeFileAtomically(shopData, std::string_view(reinterpret_cast<const char*>(data), size));
    if (!loadAndRewrite(folder, shopData))
        return 0;

    // A catalogue the program wrote loads again, and once written by the
    // program the files stay the same through every further load and save.
    if (!loadAndRewrite(folder, shopData))
        std::abort();
    const std::string written = qs::readFileBytes(shopData);
    if (!loadAndRewrite(folder, shopData) || qs::readFileBytes(shopData) != written)
        std::abort();
    return 0;
}
