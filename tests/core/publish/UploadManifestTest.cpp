#include "core/publish/UploadManifest.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

TEST(UploadManifestTest, KeepsTheFilesOfItsOwnHostOnly)
{
    test::TempFolder folder;
    const std::string path = folder.file("Demo.manifest");
    const UploadManifest written{"me@host:22 cgi images",
                                 {{"cgi/a b.txt", {12, "00ff"}}, {"images/p.gif", {0, "e3b0"}}}};
    writeUploadManifest(path, written);
    EXPECT_EQ(folder.read("Demo.manifest"),
              "Host=me@host:22 cgi images\r\n12 00ff cgi/a b.txt\r\n0 e3b0 images/p.gif\r\n");
    EXPECT_EQ(readUploadManifest(path, written.host).files, written.files);
    EXPECT_TRUE(readUploadManifest(path, "me@other:22 cgi images").files.empty());
    EXPECT_TRUE(readUploadManifest(folder.file("missing"), written.host).files.empty());

    folder.write("Demo.manifest", "Host=h\r\nx 00 cgi/bad\r\n12\r\n-1 00 cgi/negative\r\n5 ab cgi/good\r\n");
    EXPECT_EQ(readUploadManifest(path, "h").files, (UploadedFiles{{"cgi/good", {5, "ab"}}}));
}

} // namespace
} // namespace qs
