#pragma once

#include <cerrno>
#include <stdexcept>
#include <string>
#include <utility>

namespace qs {

// A file that could not be read or written. The message names the failed
// operation and ends with the system's own reason ("Cannot create file
// /shops/a/qstl2.cfg: No space left on device"), ready to be shown to the
// merchant.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // The error number is the system's answer to the failed call; callers
    // that may have made other calls since pass the one they kept.
    static FileError cannotOpen(const std::string& path, int error = errno)
    {
        return failed("Cannot open file " + path, error, path);
    }
    static FileError cannotCreate(const std::string& path, int error = errno)
    {
        return failed("Cannot create file " + path, error, path);
    }
    static FileError cannotRead(const std::string& path, int error = errno)
    {
        return failed("Cannot read file " + path, error, path);
    }
    // What was being done, then the system's reason for error; the path of
    // the file concerned, when there is one.
    static FileError failed(const std::string& what, int error, std::string path = {});

    // The system's text for an error number ("Permission denied").
    static std::string reason(int error);

    // The file the failure concerns; empty when the message names none.
    const std::string& path() const { return path_; }

private:
    FileError(const std::string& message, std::string path)
        : std::runtime_error(message), path_(std::move(path))
    {
    }

    std::string path_;
};

} // namespace qs
