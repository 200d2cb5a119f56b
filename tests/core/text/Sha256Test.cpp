#include "core/text/Sha256.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

// The published test vectors, and messages whose padding falls on each side
// of a block's end.
TEST(Sha256Test, DigestsMatchTheKnownVectors)
{
    const struct {
        std::string message;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sha256::hex(c.message), c.digest) << c.message.size();
}

TEST(Sha256Test, AFileDigestsAsItsBytes)
{
    test::TempFolder folder;
    const std::string bytes(200000, '\x81');
    EXPECT_EQ(Sha256::hexOfFile(folder.write("big", bytes)), Sha256::hex(bytes));
}

TEST(Sha256Test, Base64PadsToWholeQuartets)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"\xff\xfe", "//4="}};
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(base64(bytes), text) << bytes;
}

} // namespace
} // namespace qs
