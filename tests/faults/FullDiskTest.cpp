#include "TrialShop.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace qs::faults {
namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t pageSize = 4096;

// A small tmpfs mounted over a folder for as long as it lives (which takes root).
class SmallFileSystem {
public:
    SmallFileSystem(const std::string& folder, std::uintmax_t bytes) : folder_(folder)
    {
        const std::string options = "size=" + std::to_string(bytes);
        mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
        error_ = mounted_ ? 0 : errno;
    }
    ~SmallFileSystem()
    {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    int error() const { return error_; }

private:
    std::string folder_;
    bool mounted_ = false;
    int error_ = 0;
};

// A file that takes all the room of its file system but the bytes given.
class Filler {
public:
    Filler(std::string path, std::uintmax_t room) : path_(std::move(path))
    {
        struct statvfs space {};
        ::statvfs(fs::path(path_).parent_path().c_str(), &space);
        const std::uintmax_t available = std::uintmax_t(space.f_bavail) * space.f_frsize;
        const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd >= 0 && available > room)
            ::posix_fallocate(fd, 0, off_t(available - room));
        if (fd >= 0)
            ::close(fd);
    }
    ~Filler() { remove(); }
    Filler(const Filler&) = delete;
    Filler& operator=(const Filler&) = delete;

    void remove() { fs::remove(path_); }

private:
    std::string path_;
};

// Half the bytes of the files the operation puts in place, in whole pages:
// it runs out of room part of the way.
std::uintmax_t roomFor(const TrialShop::Reference& reference, const std::string& trialFolder)
{
    const fs::path root = fs::canonical(trialFolder);
    std::uintmax_t bytes = 0;
    for (const Call& call : reference.calls)
        if (call.kind == "rename") {
            const auto found = reference.after.find(fs::path(call.target).lexically_relative(root).string());
            bytes += found == reference.after.end() ? 0 : found->second.size();
        }
    return bytes / 2 / pageSize * pageSize;
}

std::uintmax_t sizeOf(const Snapshot& files)
{
    std::uintmax_t bytes = 0;
    for (const auto& [path, content] : files)
        bytes += content.size();
    return bytes;
}

std::string joined(const std::vector<std::string>& problems)
{
    std::string text;
    for (const std::string& problem : problems)
        text.append("\n  ").append(problem);
    return text;
}

TEST(FullDisk, EveryOperationRunningOutOfRoomTellsItLeavesTheShopAsItWasAndSucceedsOnceThereIsRoom)
{
    TrialShop shop;
    for (const Operation& operation : operations())
        shop.reference(operation);
    const std::string noRoom = std::strerror(ENOSPC);
    const SmallFileSystem disk(shop.folder(), 4 * sizeOf(shop.before()) + (16u << 20));
    if (!disk.mounted())
        std::cout << "No tmpfs could be mounted over " << shop.folder() << " (" << std::strerror(disk.error())
                  << "): the fault library makes a write run out of room instead.\n";
    for (const Operation& operation : operations()) {
        const TrialShop::Reference& reference = shop.reference(operation);
        shop.reset();
        std::vector<std::string> problems;
        if (disk.mounted()) {
            Filler filler(shop.folder() + "/filler", roomFor(reference, shop.folder()));
            const ChildOutcome outcome = shop.run(operation);
            problems = shop.failedTryProblems(operation, outcome, noRoom, [&] { filler.remove(); });
        } else {
            const ChildOutcome outcome = shop.run(operation, "write", (countOf(reference.calls, "write") + 1) / 2, ENOSPC);
            problems = shop.failedTryProblems(operation, outcome, noRoom);
        }
        EXPECT_TRUE(problems.empty()) << operation.name << ":" << joined(problems);
    }
}

} // namespace
} // namespace qs::faults
