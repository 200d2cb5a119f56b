#pragma once

#include "gui/publish/UploadPasswords.h"

#include <map>

namespace qs::gui {

// The keyring, and the passwords it would not take, held in memory until
// the program closes, so that a desktop without a keyring is not asked for
// a password typed a moment ago.
class SessionPasswords : public UploadPasswords {
public:
    explicit SessionPasswords(UploadPasswords& keyring) : keyring_(keyring) {}

    std::optional<std::string> read(const std::string& login) override;
    // False, with the keyring's reason, when only this session holds it.
    bool store(const std::string& login, const std::string& password, std::string& reason) override;
    void forget(const std::string& login) override;

private:
    UploadPasswords& keyring_;
    std::map<std::string, std::string> held_;
};

} // namespace qs::gui
