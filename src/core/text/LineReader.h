#pragma once

#include <cstddef>
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

    // Counts the lines of a file without keeping them.
    static std::size_t countLines(const std::string& path);

private:
    bool fill();

    std::string path_;
    int fd_ = -1;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    bool skipLeadingLf_ = false;
};

} // namespace qs
