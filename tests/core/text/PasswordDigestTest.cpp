#include "core/text/PasswordDigest.h"
#include "core/text/Sha256.h"

#include <gtest/gtest.h>

#include <array>

namespace qs {
namespace {

std::string hex(const std::string& bytes)
{
    Sha256::Digest digest{};
    std::copy(bytes.begin(), bytes.end(), digest.begin());
    return Sha256::hex(digest);
}

// RFC 4231's cases 2 and 6: a short key, and one longer than a block, which
// is hashed first.
TEST(PasswordDigestTest, HmacMatchesTheKnownVectors)
{
    EXPECT_EQ(hex(hmacSha256("Jefe", "what do ya want for nothing?")),
              "5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843");
    EXPECT_EQ(
        hex(hmacSha256(std::string(131, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First")),
        "60e431591ee0b67f0d8a26aacbf5b77f8e0bc6213728c5140546040f0ee37f54");
}

// RFC 7914's vectors (the first 32 bytes) and one with a password and salt
// longer than a hash's output.
TEST(PasswordDigestTest, Pbkdf2MatchesTheKnownVectors)
{
    const struct {
        const char* password;
        const char* salt;
        unsigned rounds;
        const char* key;
    } cases[] = {
        {"passwd", "salt", 1, "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"},
        {"Password", "NaCl", 80000, "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"},
        {"passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096,
         "348c89dbcbd32b2f32d814b8116e84cf2b17347ebc1800181c4e2a1fb8dd53e1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hex(pbkdf2Sha256(c.password, c.salt, c.rounds)), c.key) << c.password << " " << c.rounds;
}

} // namespace
} // namespace qs
