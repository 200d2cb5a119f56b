#pragma once

#include <optional>
#include <string>

namespace qs::gui {

// Where the password of the upload's login is kept between uploads: never
// in a file of the shop, only in a keyring of the merchant's desktop.
class UploadPasswords {
public:
    virtual ~UploadPasswords() = default;

    // The password kept for the login; nothing when none is kept or no keyring answers.
    virtual std::optional<std::string> read(const std::string& login) = 0;
    // Keeps the password; false, with the keyring's reason, when it cannot.
    virtual bool store(const std::string& login, const std::string& password, std::string& reason) = 0;
    virtual void forget(const std::string& login) = 0;
};

} // namespace qs::gui
