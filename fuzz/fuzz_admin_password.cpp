// Any bytes as the shop's administrator password file (admin.pass) give an
// ID and a password. Saved, they read back the same; when the dialog
// refuses to save them, the file stays as it was.
#include "FuzzShop.h"

#include "core/settings/AdminPassword.h"
#include "core/text/AtomicFile.h"
#include "core/text/ReadFile.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using qs::fuzz::check;
    using qs::fuzz::checkSame;
    const std::string_view bytes = qs::fuzz::bytesOf(data, size);
    const qs::fuzz::FuzzShop shop;
    const std::string path = shop.cgiFile(qs::adminPasswordFileName);
    qs::writeFileAtomically(path, bytes);
    qs::fuzz::QuietUser user;

    const auto first = qs::AdminPassword::read(path, user);
    check(first.has_value(), "a password file that is there is read");
    if (!first->write(path, user)) {
        checkSame(bytes, qs::readFileBytes(path), "a refused save leaves the file as it was");
        return 0;
    }
    const auto second = qs::AdminPassword::read(path, user);
    check(second.has_value(), "the saved file is read");
    check(second->userId == first->userId && second->password == first->password,
          "the ID and the password come back");
    return 0;
}
