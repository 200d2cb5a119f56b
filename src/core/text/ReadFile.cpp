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
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw FileError::cannotOpen(path);
    return bytes;
}

} // namespace qs
