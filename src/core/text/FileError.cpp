#include "core/text/FileError.h"

#include <cstring>

namespace qs {

FileError FileError::failed(const std::string& what, int error, std::string path)
{
    return FileError(error == 0 ? what : what + ": " + reason(error), std::move(path));
}

std::string FileError::reason(int error)
{
    char buffer[256];
    // The GNU strerror_r returns the text, which may or may not be in buffer.
    return ::strerror_r(error, buffer, sizeof buffer);
}

} // namespace qs
