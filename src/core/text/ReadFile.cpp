#include "core/text/ReadFile.h"

#include "core/text/FileError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qs {

ReadableFile::ReadableFile(const std::string& path) : path_(path)
{
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        throw FileError::cannotOpen(path);
    struct stat status {};
    if (::fstat(fd_, &status) != 0 || S_ISDIR(status.st_mode)) {
        const int error = S_ISDIR(status.st_mode) ? EISDIR : errno;
        ::close(fd_);
        throw FileError::cannotOpen(path, error);
    }
    if (status.st_size > 0)
        size_ = static_cast<std::size_t>(status.st_size);
}

ReadableFile::~ReadableFile()
{
    ::close(fd_);
}

std::size_t ReadableFile::read(char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, size);
        if (n >= 0)
            return static_cast<std::size_t>(n);
        if (errno != EINTR)
            throw FileError::cannotRead(path_);
    }
}

std::string readFileBytes(const std::string& path)
{
    ReadableFile file(path);
    // One byte more than the file holds, so that the read that finds its end
    // needs no room of its own: doubling a big file's buffer to look for more
    // would cost as much memory again.
    std::string bytes(file.size() + 1, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(bytes.size() < 4096 ? 4096 : bytes.size() * 2); // the file grew, or reports no size
        const std::size_t n = file.read(bytes.data() + used, bytes.size() - used);
        if (n == 0)
            break;
        used += n;
    }
    bytes.resize(used);
    return bytes;
}

} // namespace qs
