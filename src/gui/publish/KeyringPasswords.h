#pragma once

#include "gui/publish/UploadPasswords.h"

namespace qs::gui {

// The passwords in the desktop's keyring (the Secret Service or KWallet),
// asked for and answered over the session's message bus. Each call waits
// for the keyring's answer; without a keyring every call fails at once.
class KeyringPasswords : public UploadPasswords {
public:
    std::optional<std::string> read(const std::string& login) override;
    bool store(const std::string& login, const std::string& password, std::string& reason) override;
    void forget(const std::string& login) override;
};

} // namespace qs::gui
