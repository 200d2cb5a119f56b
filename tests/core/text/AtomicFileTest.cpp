#include "core/text/AtomicFile.h"
#include "TempFolder.h"
#include "core/text/FileError.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace qs {
namespace {

using Names = std::vector<std::string>;

// Makes every write past a file size fail with EFBIG, as a full disk would,
// for as long as it exists; the limit and the signal are restored afterwards.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

mode_t modeOf(const std::string& path)
{
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

std::string expectCreateError(const std::string& path, std::string_view bytes)
{
    try {
        writeFileAtomically(path, bytes);
    } catch (const FileError& e) {
        return e.what();
    }
    return "no error";
}

TEST(AtomicFile, WritesANewFileAndReplacesAnOldOneWhole)
{
    const test::TempFolder folder;
    const std::string path = folder.file("shop.data");
    writeFileAtomically(path, "a long first content\r\n");
    EXPECT_EQ(folder.read("shop.data"), "a long first content\r\n");
    writeFileAtomically(path, "short");
    EXPECT_EQ(folder.read("shop.data"), "short");
    writeFileAtomically(path, "");
    EXPECT_EQ(folder.read("shop.data"), "");
    EXPECT_EQ(folder.entries(), Names{"shop.data"});
}

TEST(AtomicFile, ContentLargerThanTheWriteBufferArrivesWhole)
{
    const test::TempFolder folder;
    std::string bytes;
    for (int i = 0; bytes.size() < (3u << 20); ++i)
        bytes += std::to_string(i) + "::";
    AtomicFileWriter writer(folder.file("big.data"));
    for (std::size_t at = 0; at < bytes.size(); at += 777)
        writer.write(std::string_view(bytes).substr(at, 777));
    writer.commit();
    EXPECT_EQ(folder.read("big.data"), bytes);
}

// One write fails while the buffer fills, the other only when commit flushes it.
TEST(AtomicFile, AFailedWriteLeavesTheOldFileByteForByteAndNoTemporary)
{
    const std::string oldContent = "Product=old\r\n\xE9\r\n";
    for (std::size_t size : {std::size_t(8) << 10, std::size_t(3) << 20}) {
        const test::TempFolder folder;
        const std::string path = folder.write("shop.data", oldContent);
        std::string error;
        {
            const FileSizeLimit limit(4096);
            error = expectCreateError(path, std::string(size, 'n'));
        }
        EXPECT_EQ(error, "Cannot create file " + path + ": File too large") << size;
        EXPECT_EQ(folder.read("shop.data"), oldContent) << size;
        EXPECT_EQ(folder.entries(), Names{"shop.data"}) << size;
    }
}

TEST(AtomicFile, AWriterDroppedBeforeCommitLeavesTheOldFile)
{
    const test::TempFolder folder;
    const std::string path = folder.write("qstl2.cfg", "old");
    {
        AtomicFileWriter writer(path);
        writer.write("new");
        const Names entries = folder.entries();
        ASSERT_EQ(entries.size(), 2u);
        const std::string temporary = entries[0] == "qstl2.cfg" ? entries[1] : entries[0];
        EXPECT_EQ(temporary.substr(0, temporary.size() - 6), ".qstl2.cfg.qs-save-");
    }
    EXPECT_EQ(folder.read("qstl2.cfg"), "old");
    EXPECT_EQ(folder.entries(), Names{"qstl2.cfg"});
}

TEST(AtomicFile, CreatingInAMissingFolderIsRefusedWithTheSystemMessage)
{
    const test::TempFolder folder;
    const std::string path = folder.file("no such folder/area.txt");
    EXPECT_EQ(expectCreateError(path, "x"), "Cannot create file " + path + ": No such file or directory");
}

TEST(AtomicFile, TheNextSaveRemovesTemporariesOfAnInterruptedOne)
{
    const test::TempFolder folder;
    for (const char* name :
         {".shop.data.qs-save-a1B2c3", ".shop.data.qs-save-zzzzzz", ".other.data.qs-save-a1B2c3",
          "shop.data.bak", ".shop.data.qs-save-notes.txt", ".shop.data.qs-save-", "shop.data.qs-save-a1B2c3"})
        folder.write(name, "left over");
    writeFileAtomically(folder.file("shop.data"), "new");
    Names entries = folder.entries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries,
              (Names{".other.data.qs-save-a1B2c3", ".shop.data.qs-save-", ".shop.data.qs-save-notes.txt",
                     "shop.data", "shop.data.bak", "shop.data.qs-save-a1B2c3"}));
}

TEST(AtomicFile, KeepsTheModeOfAnExistingFile)
{
    const test::TempFolder folder;
    for (mode_t mode : {0600, 0640, 0755}) {
        const std::string path = folder.write("admin.pass", "old");
        chmod(path.c_str(), mode);
        writeFileAtomically(path, "new");
        EXPECT_EQ(modeOf(path), mode);
    }
    // A new file follows the umask; a replaced one keeps its mode whatever the umask.
    const std::string shared = folder.write("shared.txt", "old");
    chmod(shared.c_str(), 0664);
    const mode_t oldMask = umask(027);
    writeFileAtomically(folder.file("fresh.txt"), "x");
    writeFileAtomically(shared, "new");
    umask(oldMask);
    EXPECT_EQ(modeOf(folder.file("fresh.txt")), mode_t(0640));
    EXPECT_EQ(modeOf(shared), mode_t(0664));
}

} // namespace
} // namespace qs
