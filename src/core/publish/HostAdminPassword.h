#pragma once

#include <string>
#include <string_view>

namespace qs {

struct AdminPassword;

// admin.pass as the export writes it for the web host: the user ID and, in
// place of the password, a salted PBKDF2-SHA-256 digest of it,
// "id={PBKDF2-SHA256}ROUNDS$SALT$DIGEST" with the salt and digest in
// hexadecimal, against which the shop's scripts check a typed password.
// Whoever reads the file on the host does not have the password.

// Slow enough that each guess at a stolen file costs a good part of a
// second, fast enough that the scripts check a sign-in without a wait.
inline constexpr unsigned hostPasswordRounds = 100000;

// The file's line (ended by CR LF) for the ID and password, with the salt's bytes.
std::string hostAdminPasswordLine(const AdminPassword& admin, std::string_view salt,
                                  unsigned rounds = hostPasswordRounds);

// Whether the bytes of a host's admin.pass hold the digest of this ID and
// password, so that an export need not write it again.
bool hostAdminPasswordMatches(std::string_view fileBytes, const AdminPassword& admin);

// A new salt: sixteen bytes from the system's random source.
std::string newPasswordSalt();

} // namespace qs
