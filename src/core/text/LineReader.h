#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

// Reads a file line by line in large chunks, so that a file of any size is
// read with a bounded buffer. Line ends as forEachLine: CR LF, LF or CR.
class LineReader {
public:
    // Throws FileError("Cannot open file ...") when the file cannot be opened.
    explicit LineReader(const std::string& path, std::size_t chunkSize = 8u << 20);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line, valid until the following call; false at the end.
    // Throws FileError when reading fails part-way.
    bool next(std::string_view& line);

    // How far the reading has come, in bytes from the start of the file, and
    // how long the file was when it was opened: together, the progress.
    std::uint64_t position() const { return bufferOffset_ + begin_; }
    std::uint64_t size() const { return size_; }

private:
    bool fill();

    std::string path_;
    int fd_ = -1;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    bool skipLeadingLf_ = false;
    std::uint64_t bufferOffset_ = 0; // where in the file the buffer starts
    std::uint64_t size_ = 0;
    std::size_t lfAt_ = 0; // where the next LF is, or end_ when the buffer holds none
    bool lfKnown_ = false;
};

} // namespace qs
