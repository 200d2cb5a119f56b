#include "text/FileError.h"

#include <cstring>

namespace qs {

FileError FileError::failed(const std::string& what, int error)
{
    if (error == 0)
        return FileError(what);
    return FileError(what + ": " + reason(error));
}

std::string FileError::reason(int error)
{
    char buffer[256];
    // The GNU strerror_r returns the text, which may or may not be in buffer.
    return ::strerror_r(error, buffer, sizeof buffer);
}

} // namespace qs
