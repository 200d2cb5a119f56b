#include "core/text/PasswordDigest.h"

#include "core/text/Sha256.h"

#include <array>

namespace qs {
namespace {

constexpr std::size_t blockSize = 64;

std::string_view view(const Sha256::Digest& digest)
{
    return {reinterpret_cast<const char*>(digest.data()), digest.size()};
}

// The hash states after the key's inner and outer pads, taken once so that
// each round costs two hashes of one block, not four.
struct HmacKey {
    Sha256 inner;
    Sha256 outer;

    explicit HmacKey(std::string_view key)
    {
        std::string padded;
        if (key.size() > blockSize) {
            Sha256 hash;
            hash.add(key);
            padded = std::string(view(hash.finish()));
        } else {
            padded = std::string(key);
        }
        padded.resize(blockSize, '\0');
        std::string innerPad(blockSize, '\0'), outerPad(blockSize, '\0');
        for (std::size_t i = 0; i < blockSize; ++i) {
            innerPad[i] = static_cast<char>(padded[i] ^ 0x36);
            outerPad[i] = static_cast<char>(padded[i] ^ 0x5c);
        }
        inner.add(innerPad);
        outer.add(outerPad);
    }

    Sha256::Digest sign(std::string_view bytes) const
    {
        Sha256 first = inner;
        first.add(bytes);
        Sha256 second = outer;
        second.add(view(first.finish()));
        return second.finish();
    }
};

} // namespace

std::string hmacSha256(std::string_view key, std::string_view bytes)
{
    return std::string(view(HmacKey(key).sign(bytes)));
}

std::string pbkdf2Sha256(std::string_view password, std::string_view salt, unsigned rounds)
{
    const HmacKey key(password);
    // One block of output: the first block's index is 1, big-endian.
    Sha256::Digest block = key.sign(std::string(salt) + std::string("\0\0\0\1", 4));
    Sha256::Digest result = block;
    for (unsigned round = 1; round < rounds; ++round) {
        block = key.sign(view(block));
        for (std::size_t i = 0; i < result.size(); ++i)
            result[i] ^= block[i];
    }
    return std::string(view(result));
}

} // namespace qs
