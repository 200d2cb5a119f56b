#include "core/text/LineReader.h"

#include "core/text/FileError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qs {

LineReader::LineReader(const std::string& path, std::size_t chunkSize) : path_(path)
{
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        throw FileError::cannotOpen(path);
    struct stat status {};
    if (::fstat(fd_, &status) == 0 && status.st_size > 0)
        size_ = static_cast<std::uint64_t>(status.st_size);
    // A small file needs no big buffer; one byte more than the file lets the
    // first read see its end.
    const std::uint64_t wanted = std::min<std::uint64_t>(chunkSize, size_ + 1);
    buffer_.resize(static_cast<std::size_t>(std::max<std::uint64_t>(wanted, 16)));
}

LineReader::~LineReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

// Moves the unread rest to the front and reads more; false when nothing more came.
bool LineReader::fill()
{
    if (eof_)
        return false;
    lfKnown_ = false;
    if (begin_ > 0) {
        bufferOffset_ += begin_;
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2); // a line longer than the buffer
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FileError::cannotRead(path_);
        if (n == 0) {
            eof_ = true;
            return false;
        }
        end_ += static_cast<std::size_t>(n);
        return true;
    }
}

bool LineReader::next(std::string_view& line)
{
    for (;;) {
        if (skipLeadingLf_ && begin_ < end_) {
            if (buffer_[begin_] == '\n')
                ++begin_;
            skipLeadingLf_ = false;
        }
        const char* start = buffer_.data() + begin_;
        const std::size_t available = end_ - begin_;
        // Two quick searches beat one look at every byte: lines are long. The
        // next LF is remembered, so that a file with CR line ends only is not
        // searched to its end for every line.
        if (!lfKnown_ || lfAt_ < begin_) {
            const void* lf = std::memchr(start, '\n', available);
            lfAt_ = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - buffer_.data()) : end_;
            lfKnown_ = true;
        }
        const char* cr = static_cast<const char*>(std::memchr(start, '\r', lfAt_ - begin_));
        const char* stop = cr ? cr : lfAt_ < end_ ? buffer_.data() + lfAt_ : nullptr;
        if (stop) {
            line = std::string_view(start, static_cast<std::size_t>(stop - start));
            begin_ += line.size() + 1;
            if (*stop == '\r') {
                if (begin_ < end_) {
                    if (buffer_[begin_] == '\n')
                        ++begin_;
                } else {
                    skipLeadingLf_ = true; // the LF of a CR LF may start the next chunk
                }
            }
            return true;
        }
        if (!fill()) {
            if (begin_ == end_)
                return false;
            line = std::string_view(buffer_.data() + begin_, end_ - begin_);
            begin_ = end_;
            return true;
        }
    }
}

} // namespace qs
