#include "core/publish/UploadCopy.h"
#include "TempFolder.h"
#include "core/text/FileError.h"
#include "core/ui/Progress.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

// The folders a link may lead to, and whether the selection keeps them out
// without a word: the export copies files, never folders.
TEST(UploadCopyTest, FoldersAndLinksToFoldersStayBehindUnlisted)
{
    TempFolder folder;
    fs::create_directories(folder.file("shop/data/sub"));
    fs::create_directories(folder.file("shop/images"));
    fs::create_directories(folder.file("elsewhere"));
    fs::create_directory_symlink(folder.file("shop/images"), folder.file("shop/data/images-link"));
    fs::create_directory_symlink(folder.file("elsewhere"), folder.file("shop/data/elsewhere-link"));
    folder.write("shop/data/area.txt", "UK");

    const UploadSelection selection =
        selectForUpload(folder.file("shop/data"), {folder.file("shop/data"), folder.file("shop/images")});
    EXPECT_EQ(selection.files, std::vector<std::string>{folder.file("shop/data/area.txt")});
    EXPECT_TRUE(selection.notExported.empty());
}

TEST(UploadCopyTest, ASourceThatCannotBeReadIsOneLine)
{
    TempFolder folder;
    const UploadSelection selection = selectForUpload(folder.file("missing"), {folder.path().string()});
    EXPECT_TRUE(selection.files.empty());
    EXPECT_EQ(selection.notExported,
              std::vector<std::string>{FileError::cannotOpen(folder.file("missing")).what()});
}

class CountingProgress final : public Progress {
public:
    void setLabel(std::string_view) override {}
    void setRange(long long, long long) override {}
    void setPosition(long long) override {}
    void show() override { ++shown; }
    void step() override {}
    void hide() override {}
    int shown = 0;
};

TEST(UploadCopyTest, TheProgressWindowShowsOnlyWhenThereIsSomethingToCopy)
{
    TempFolder folder;
    fs::create_directories(folder.file("target"));
    CountingProgress progress;
    EXPECT_TRUE(copyForUpload({}, folder.file("target"), progress, "Copying...").empty());
    EXPECT_EQ(progress.shown, 0);

    const std::vector<std::string> files{folder.write("a.txt", "A"), folder.file("gone.txt")};
    const std::vector<std::string> notCopied =
        copyForUpload(files, folder.file("target"), progress, "Copying...");
    EXPECT_EQ(progress.shown, 1);
    EXPECT_EQ(folder.read("target/a.txt"), "A");
    EXPECT_EQ(notCopied, std::vector<std::string>{FileError::cannotOpen(folder.file("gone.txt")).what()});
}

} // namespace
} // namespace qs
