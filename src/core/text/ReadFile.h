#pragma once

#include <cstddef>
#include <string>

namespace qs {

// A file opened for reading, closed when it goes. Failures throw FileError
// with the system's reason.
class ReadableFile {
public:
    // Throws FileError("Cannot open file ...") when the file cannot be opened,
    // or is a folder.
    explicit ReadableFile(const std::string& path);
    ~ReadableFile();
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    // Up to size bytes into buffer; 0 at the end. Throws FileError("Cannot read file ...").
    std::size_t read(char* buffer, std::size_t size);
    // The file's length when it was opened.
    std::size_t size() const { return size_; }

private:
    std::string path_;
    int fd_ = -1;
    std::size_t size_ = 0;
};

// The whole file as bytes. Throws FileError.
std::string readFileBytes(const std::string& path);

} // namespace qs
