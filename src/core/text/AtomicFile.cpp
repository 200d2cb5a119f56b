#include "core/text/AtomicFile.h"

#include "core/text/AtomicFileSet.h"
#include "core/text/FileError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace qs {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t bufferSize = 1u << 20;

std::string folderOf(const std::string& path)
{
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// The start of the name of every temporary file of a save of this file.
std::string temporaryPrefix(const std::string& path)
{
    std::string prefix(".");
    prefix.append(fs::path(path).filename().string()).append(AtomicFileWriter::temporaryMark);
    return prefix;
}

constexpr std::size_t randomPartSize = 6;

// The path of a temporary file of a save of this file, its random part still "XXXXXX".
std::string temporaryPattern(const std::string& path)
{
    return (fs::path(path).parent_path() / (temporaryPrefix(path) + std::string(randomPartSize, 'X')))
        .string();
}

void removeIfTemporary(const fs::directory_entry& entry)
{
    std::error_code ignored;
    if (entry.is_regular_file(ignored) && !entry.is_symlink(ignored))
        fs::remove(entry.path(), ignored);
}

// Leftovers of earlier saves of the same file that were interrupted.
void removeStrayTemporariesOf(const std::string& path)
{
    const std::string prefix = temporaryPrefix(path);
    std::error_code ec;
    for (fs::directory_iterator it(folderOf(path), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + randomPartSize && name.compare(0, prefix.size(), prefix) == 0)
            removeIfTemporary(*it);
    }
}

mode_t sharedMode(const std::string& path)
{
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

mode_t modeFor(const std::string& path, FileAccess access)
{
    switch (access) {
    case FileAccess::OwnerOnly:
        return S_IRUSR | S_IWUSR;
    case FileAccess::Published:
        return S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH;
    case FileAccess::PublishedProgram:
        return S_IRWXU | S_IRGRP | S_IXGRP | S_IROTH | S_IXOTH;
    case FileAccess::Shared:
        break;
    }
    return sharedMode(path);
}

// Gives the file at path a second name, one of a temporary file of its saves,
// so that it can be put back should the save fail after the rename; an
// interrupted save's link is then removed as its temporary files are. 0, or
// the error number of the failed link (ENOENT: there is no file to keep).
int keepUnderTemporaryName(const std::string& path, std::string& keptPath)
{
    static constexpr std::string_view letters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
    std::string candidate = temporaryPattern(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (std::size_t i = candidate.size() - randomPartSize; i < candidate.size(); ++i)
            candidate[i] = letters[pick(random)];
        if (::link(path.c_str(), candidate.c_str()) == 0) {
            keptPath = std::move(candidate);
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

// File systems without hard links (or with too many for this file): the
// save goes on without keeping the old file.
bool linksImpossible(int error)
{
    return error == EPERM || error == EXDEV || error == ENOTSUP || error == EMLINK;
}

} // namespace

bool isSaveTemporaryName(std::string_view name)
{
    const std::string_view mark = AtomicFileWriter::temporaryMark;
    return name.size() > 1 + mark.size() + randomPartSize && name.front() == '.' &&
           name.substr(name.size() - randomPartSize - mark.size(), mark.size()) == mark;
}

void removeStrayTemporaries(const std::string& folder)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (isSaveTemporaryName(it->path().filename().string()))
            removeIfTemporary(*it);
}

AtomicFileWriter::AtomicFileWriter(std::string path, Leftovers leftovers, FileAccess access)
    : path_(std::move(path)), buffer_(std::make_unique_for_overwrite<char[]>(bufferSize))
{
    if (leftovers == Leftovers::RemoveFirst)
        removeStrayTemporariesOf(path_);
    temporaryPath_ = temporaryPattern(path_);
    fd_ = ::mkostemp(temporaryPath_.data(), O_CLOEXEC); // O_CREAT | O_EXCL
    if (fd_ < 0) {
        const int error = errno;
        temporaryPath_.clear();
        throw FileError::cannotCreate(path_, error);
    }
    if (::fchmod(fd_, modeFor(path_, access)) != 0)
        fail(errno);
}

AtomicFileWriter::~AtomicFileWriter()
{
    discard();
}

std::string AtomicFileWriter::folder() const
{
    return folderOf(path_);
}

void AtomicFileWriter::discard()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporaryPath_.empty()) {
        ::unlink(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
    forgetOldFile();
}

void AtomicFileWriter::fail(int error)
{
    discard();
    throw FileError::cannotCreate(path_, error);
}

void AtomicFileWriter::flushBuffer()
{
    std::size_t done = 0;
    while (done < used_) {
        const ssize_t n = ::write(fd_, buffer_.get() + done, used_ - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(errno);
        if (n == 0)
            fail(ENOSPC); // a write that takes nothing has run out of room
        done += static_cast<std::size_t>(n);
    }
    used_ = 0;
}

void AtomicFileWriter::write(std::string_view bytes)
{
    if (fd_ < 0)
        throw FileError::cannotCreate(path_, EBADF);
    while (!bytes.empty()) {
        const std::size_t room = bufferSize - used_;
        const std::size_t take = bytes.size() < room ? bytes.size() : room;
        std::memcpy(buffer_.get() + used_, bytes.data(), take);
        used_ += take;
        bytes.remove_prefix(take);
        if (used_ == bufferSize)
            flushBuffer();
    }
}

void AtomicFileWriter::commit()
{
    AtomicFileSet(*this).commit();
}

void AtomicFileWriter::finish()
{
    if (fd_ < 0)
        throw FileError::cannotCreate(path_, EBADF);
    flushBuffer();
    // A failed fsync is final: the data may already be lost, so it is never retried.
    if (::fsync(fd_) != 0)
        fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        fail(errno);
}

int AtomicFileWriter::replaceOldFile()
{
    const int keepError = keepUnderTemporaryName(path_, keptPath_);
    hadNoFile_ = keepError == ENOENT;
    if (keepError != 0 && !hadNoFile_ && !linksImpossible(keepError))
        return keepError;
    if (::rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        forgetOldFile();
        return error;
    }
    temporaryPath_.clear();
    return 0;
}

void AtomicFileWriter::restoreOldFile()
{
    if (!keptPath_.empty()) {
        if (::rename(keptPath_.c_str(), path_.c_str()) != 0)
            ::unlink(keptPath_.c_str());
        keptPath_.clear();
    } else if (hadNoFile_) {
        ::unlink(path_.c_str());
    }
}

void AtomicFileWriter::forgetOldFile()
{
    if (!keptPath_.empty()) {
        ::unlink(keptPath_.c_str());
        keptPath_.clear();
    }
}

void writeFileAtomically(const std::string& path, std::string_view bytes, FileAccess access)
{
    AtomicFileWriter writer(path, AtomicFileWriter::Leftovers::RemoveFirst, access);
    writer.write(bytes);
    writer.commit();
}

} // namespace qs
