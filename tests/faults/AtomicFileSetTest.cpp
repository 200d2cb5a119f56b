#include "core/text/AtomicFileSet.h"
#include "ArmedFaults.h"
#include "Snapshot.h"
#include "TempFolder.h"
#include "core/text/FileError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace qs::faults {
namespace {

// Three files, the first two over old ones, the third a new one in a
// sub-folder. Their calls come file by file (write, fsync, close), then file
// by file again (link, rename), then the flushes of the two folders (fsync 4
// and 5): a failure of any one of them leaves all three as they were.
TEST(AtomicFileSet, AFailedCallAnywhereInTheCommitLeavesEveryFileAsItWasAndIsTold)
{
    struct Case {
        const char* kind;
        long at;
        std::size_t file; // the one the message names
    };
    for (const Case c : {Case{"write", 1, 0}, Case{"fsync", 2, 1}, Case{"close", 3, 2}, Case{"link", 1, 0},
                         Case{"link", 2, 1}, Case{"link", 3, 2}, Case{"rename", 1, 0}, Case{"rename", 2, 1},
                         Case{"rename", 3, 2}, Case{"fsync", 4, 0}, Case{"fsync", 5, 2}}) {
        const test::TempFolder folder;
        std::filesystem::create_directory(folder.path() / "sub");
        const std::vector<std::string> paths = {folder.write("one.txt", "old one\r\n"),
                                                folder.write("two.txt", "old two\r\n"),
                                                folder.file("sub/three.txt")};
        const Snapshot before = snapshotOf(folder.path());
        const auto commit = [&] {
            try {
                AtomicFileSet files;
                for (const std::string& path : paths)
                    files.add(path, "new " + path);
                files.commit();
            } catch (const FileError& error) {
                return std::string(error.what());
            }
            return std::string("saved");
        };
        std::string outcome;
        {
            const ArmedFaults faults(folder.path().string(), c.kind, c.at, EIO);
            outcome = commit();
        }
        const std::string where = std::string(c.kind) + " " + std::to_string(c.at);
        EXPECT_EQ(outcome, "Cannot create file " + paths[c.file] + ": Input/output error") << where;
        EXPECT_EQ(snapshotOf(folder.path()), before) << where;
        EXPECT_EQ(commit(), "saved") << where;
        EXPECT_EQ(folder.read("sub/three.txt"), "new " + paths[2]) << where;
    }
}

} // namespace
} // namespace qs::faults
