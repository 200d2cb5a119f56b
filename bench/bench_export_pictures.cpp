// An export copies every picture of the shop into the upload folder, each
// through a complete, flushed new file. A shop with thousands of pictures must
// still export in a time a merchant will wait for, the progress window
// showing meanwhile; the time should grow with the number of pictures, no faster.

#include "core/app/AppState.h"
#include "core/app/FileOps.h"
#include "core/publish/Exporter.h"
#include "core/ui/Progress.h"
#include "core/ui/UserInterface.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::size_t pictureBytes = 40u << 10;

// Answers Yes, and counts the steps of the progress window.
class BenchUserInterface : public qs::UserInterface {
public:
    struct CountingProgress : qs::Progress {
        long long steps = 0;
        void setLabel(std::string_view) override {}
        void setRange(long long, long long) override {}
        void setPosition(long long) override {}
        void show() override {}
        void step() override { ++steps; }
        void hide() override {}
    } counting;
    std::string lastMessage;

    void message(std::string_view text, qs::MessageKind) override { lastMessage = text; }
    qs::Answer ask(std::string_view, qs::MessageKind, qs::Buttons) override { return qs::Answer::Yes; }
    std::optional<std::string> inputText(std::string_view, std::string_view, std::string_view) override
    {
        return std::nullopt;
    }
    std::optional<std::string> openFile(const qs::FileDialogRequest&) override { return std::nullopt; }
    qs::Progress& progress() override { return counting; }
};

void writeFile(const fs::path& path, std::size_t bytes)
{
    std::ofstream(path, std::ios::binary) << std::string(bytes, 'p');
}

// A shop "bench" with its settings, a catalogue file and the given number of pictures.
void makeShop(qs::AppState& state, const fs::path& root, int pictures)
{
    state.LocCGI = (root / "cgi").string();
    state.ShopName = "bench";
    state.LocImg = (root / "images/bench-images").string();
    fs::create_directories(state.ShopDataDir());
    fs::create_directories(state.LocImg);
    writeFile(fs::path(state.ShopCGIDir()) / "CGIFiles.txt", 0);
    writeFile(fs::path(state.ShopDataDir()) / "shop.data", 1u << 20);
    for (int i = 0; i < pictures; ++i)
        writeFile(fs::path(state.LocImg) / ("picture-" + std::to_string(i) + ".jpg"), pictureBytes);
}

double secondsToExport(qs::AppState& state)
{
    BenchUserInterface ui;
    const auto start = Clock::now();
    if (qs::BuildUploadFolder(state, ui) != qs::ExportOutcome::Complete || ui.counting.steps < 1) {
        std::fprintf(stderr, "export incomplete: %s\n", ui.lastMessage.c_str());
        std::exit(1);
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "quaystall-bench-export";
    std::printf("%8s %14s %14s %12s\n", "pictures", "first export", "second export", "ms/picture");
    for (const int pictures : {500, 2000, 5000}) {
        fs::remove_all(base);
        qs::AppState state(base.string());
        makeShop(state, base, pictures);
        const double first = secondsToExport(state);
        // The second export replaces every file; the best of three, as the machine is shared.
        double again = secondsToExport(state);
        for (int run = 0; run < 2; ++run)
            again = std::min(again, secondsToExport(state));
        std::printf("%8d %13.3fs %13.3fs %12.3f\n", pictures, first, again, 1000.0 * again / pictures);
    }
    fs::remove_all(base);
    return 0;
}
