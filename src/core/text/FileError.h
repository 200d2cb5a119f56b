#pragma once

#include <cerrno>
#include <stdexcept>
#include <string>

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
        return failed("Cannot open file " + path, error);
    }
    static FileError cannotCreate(const std::string& path, int error = errno)
    {
        return failed("Cannot create file " + path, error);
    }
    static FileError cannotRead(const std::string& path, int error = errno)
    {
        return failed("Cannot read file " + path, error);
    }
    // What was being done, then the system's reason for error.
    static FileError failed(const std::string& what, int error);

    // The system's text for an error number ("Permission denied").
    static std::string reason(int error);
};

} // namespace qs
