#include "text/ReadFile.h"

#include "text/FileError.h"

#include <fstream>
#include <iterator>

namespace qs {

std::string readFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileError::cannotOpen(path);
    // The stream reports a failed read (of a folder, say) by throwing its own exception.
    try {
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.bad())
            return bytes;
    } catch (const std::ios_base::failure&) {
    }
    throw FileError::cannotOpen(path);
}

} // namespace qs
