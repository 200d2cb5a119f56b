#include "ArmedFaults.h"
#include "CallLog.h"
#include "TempFolder.h"
#include "core/text/AtomicFile.h"
#include "core/text/FileError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace qs::faults {
namespace {

using Names = std::vector<std::string>;

// The message of the save's failure, or "saved".
std::string save(const std::string& path, std::string_view bytes)
{
    try {
        writeFileAtomically(path, bytes);
    } catch (const FileError& error) {
        return error.what();
    }
    return "saved";
}

TEST(AtomicCommit, AFailedFlushOfTheFileOrOfItsFolderLeavesWhatWasThereAndIsTold)
{
    struct Case {
        const char* name;
        long fsync; // the file's is the first, its folder's the second
        bool oldFile;
    };
    for (const Case c : {Case{"file over an old one", 1, true}, Case{"folder over an old one", 2, true},
                         Case{"new file", 1, false}, Case{"folder of a new file", 2, false}}) {
        const test::TempFolder folder;
        const std::string path = folder.file("shop.data");
        if (c.oldFile)
            folder.write("shop.data", "old catalogue\r\n");
        std::string outcome;
        {
            const ArmedFaults faults(folder.path().string(), "fsync", c.fsync, EIO);
            outcome = save(path, "new catalogue\r\n");
        }
        EXPECT_EQ(outcome, "Cannot create file " + path + ": Input/output error") << c.name;
        EXPECT_EQ(folder.entries(), c.oldFile ? Names{"shop.data"} : Names{}) << c.name;
        if (c.oldFile) {
            EXPECT_EQ(folder.read("shop.data"), "old catalogue\r\n") << c.name;
        }
        EXPECT_EQ(save(path, "new catalogue\r\n"), "saved") << c.name;
        EXPECT_EQ(folder.read("shop.data"), "new catalogue\r\n") << c.name;
    }
}

// The old file is kept under a second name; where the file system cannot
// give it one the save goes on without, any other failure stops it.
TEST(AtomicCommit, AFileSystemWithoutLinksStillSavesAndOtherLinkFailuresAreTold)
{
    for (const int error : {EPERM, EXDEV, ENOTSUP, EMLINK, EIO, ENOSPC}) {
        const bool linksImpossible = error != EIO && error != ENOSPC;
        const test::TempFolder folder;
        const std::string path = folder.write("area.txt", "old areas\r\n");
        std::string outcome;
        {
            const ArmedFaults faults(folder.path().string(), "link", 1, error);
            outcome = save(path, "new areas\r\n");
        }
        EXPECT_EQ(outcome, linksImpossible ? "saved" : "Cannot create file " + path + ": " + std::strerror(error))
            << error;
        EXPECT_EQ(folder.read("area.txt"), linksImpossible ? "new areas\r\n" : "old areas\r\n") << error;
        EXPECT_EQ(folder.entries(), Names{"area.txt"}) << error;
    }
}

TEST(CallOrder, AFileIsFlushedAfterItsLastWriteAndBeforeItsRenameAndItsFolderAfterTheRename)
{
    const test::TempFolder folder;
    const std::string path = folder.write("shop.data", "old catalogue\r\n");
    const std::string log = folder.path().parent_path() / (folder.path().filename().string() + ".log");
    {
        const ArmedFaults faults(folder.path().string(), nullptr, 0, 0, log);
        // Three writes of the buffer and the rest at commit.
        ASSERT_EQ(save(path, std::string((3u << 20) + 5, 'c')), "saved");
    }
    const std::vector<Call> calls = readCallLog(log);
    std::filesystem::remove(log);
    EXPECT_EQ(countOf(calls, "write"), 4);
    EXPECT_EQ(countOf(calls, "rename"), 1);
    EXPECT_EQ(orderProblems(calls), Names{});
}

} // namespace
} // namespace qs::faults
