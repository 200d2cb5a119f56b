#include "core/text/ReadFile.h"
#include "TempFolder.h"
#include "core/text/FileError.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

TEST(ReadFile, ReadsEveryByteUnchanged)
{
    const test::TempFolder folder;
    std::string bytes;
    for (int c = 0; c < 256; ++c)
        bytes.push_back(static_cast<char>(c));
    bytes += "\r\n\r\x1A tail";
    EXPECT_EQ(readFileBytes(folder.write("all.bin", bytes)), bytes);
    EXPECT_EQ(readFileBytes(folder.write("empty.bin", "")), "");
}

TEST(ReadFile, FailuresAreFileErrorsNamingTheFile)
{
    const test::TempFolder folder;
    const std::pair<std::string, std::string> cases[] = {
        {folder.file("absent.txt"), "No such file or directory"},
        {folder.path().string(), "Is a directory"},
    };
    for (const auto& [path, reason] : cases) {
        try {
            readFileBytes(path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot open file " + path + ": " + reason);
        }
    }
}

} // namespace
} // namespace qs
