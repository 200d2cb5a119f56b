#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qs {

// The SHA-256 digest, fed in pieces of any size.
class Sha256 {
public:
    using Digest = std::array<std::uint8_t, 32>;

    Sha256();
    void add(std::string_view bytes);
    Digest finish();

    // The digest of the bytes, in lower-case hexadecimal.
    static std::string hex(std::string_view bytes);
    static std::string hex(const Digest& digest);
    // The digest of a whole file in hexadecimal; throws FileError when it cannot be read.
    static std::string hexOfFile(const std::string& path);

private:
    void block(const std::uint8_t* data);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> buffer_{};
    std::size_t buffered_ = 0;
    std::uint64_t length_ = 0;
};

// Base64 with padding, as host key fingerprints are shown (without the padding).
std::string base64(std::string_view bytes);

} // namespace qs
