#pragma once

#include <string>
#include <string_view>

namespace qs {

// PBKDF2 with HMAC-SHA-256: the 32-byte key derived from a password and a
// salt in the given number of rounds, as raw bytes. Slow on purpose: each
// guess at a password costs whoever holds the key as many rounds.
std::string pbkdf2Sha256(std::string_view password, std::string_view salt, unsigned rounds);

// HMAC-SHA-256 of the bytes under the key, as raw bytes.
std::string hmacSha256(std::string_view key, std::string_view bytes);

} // namespace qs
