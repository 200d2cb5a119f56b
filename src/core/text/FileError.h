#pragma once

#include <stdexcept>
#include <string>

namespace qs {

// A file that could not be read or written. The message is the system's own
// text for the failed operation, ready to be shown to the merchant.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    static FileError cannotOpen(const std::string& path) { return FileError("Cannot open file " + path); }
    static FileError cannotCreate(const std::string& path) { return FileError("Cannot create file " + path); }
};

} // namespace qs
