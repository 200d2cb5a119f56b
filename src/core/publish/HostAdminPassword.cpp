#include "core/publish/HostAdminPassword.h"

#include "core/settings/AdminPassword.h"
#include "core/text/PasswordDigest.h"

#include <charconv>
#include <random>

namespace qs {
namespace {

constexpr std::string_view scheme = "{PBKDF2-SHA256}";
constexpr std::size_t saltBytes = 16;

std::string toHex(std::string_view bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The bytes of lower-case hexadecimal; false when it is not.
bool fromHex(std::string_view text, std::string& bytes)
{
    if (text.empty() || text.size() % 2)
        return false;
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = hexValue(text[i]), low = hexValue(text[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes += static_cast<char>(high * 16 + low);
    }
    return true;
}

} // namespace

std::string hostAdminPasswordLine(const AdminPassword& admin, std::string_view salt, unsigned rounds)
{
    return admin.userId + "=" + std::string(scheme) + std::to_string(rounds) + "$" + toHex(salt) + "$" +
           toHex(pbkdf2Sha256(admin.password, salt, rounds)) + "\r\n";
}

bool hostAdminPasswordMatches(std::string_view fileBytes, const AdminPassword& admin)
{
    const AdminPassword kept = AdminPassword::parse(fileBytes);
    std::string_view digest = kept.password;
    if (kept.userId != admin.userId || !digest.starts_with(scheme))
        return false;
    digest.remove_prefix(scheme.size());
    const std::size_t first = digest.find('$'), second = digest.find('$', first + 1);
    if (first == std::string_view::npos || second == std::string_view::npos)
        return false;
    unsigned rounds = 0;
    const std::string_view roundsText = digest.substr(0, first);
    const auto [end, error] =
        std::from_chars(roundsText.data(), roundsText.data() + roundsText.size(), rounds);
    std::string salt, key;
    if (error != std::errc() || end != roundsText.data() + roundsText.size() ||
        rounds != hostPasswordRounds || !fromHex(digest.substr(first + 1, second - first - 1), salt) ||
        !fromHex(digest.substr(second + 1), key))
        return false;
    return pbkdf2Sha256(admin.password, salt, rounds) == key;
}

std::string newPasswordSalt()
{
    std::random_device system;
    std::string salt;
    while (salt.size() < saltBytes) {
        const unsigned value = system();
        for (int shift = 0; shift < 32 && salt.size() < saltBytes; shift += 8)
            salt += static_cast<char>((value >> shift) & 0xff);
    }
    return salt;
}

} // namespace qs
