#include "gui/publish/SessionPasswords.h"

namespace qs::gui {

std::optional<std::string> SessionPasswords::read(const std::string& login)
{
    if (const auto held = held_.find(login); held != held_.end())
        return held->second;
    return keyring_.read(login);
}

bool SessionPasswords::store(const std::string& login, const std::string& password, std::string& reason)
{
    if (keyring_.store(login, password, reason)) {
        held_.erase(login);
        return true;
    }
    held_[login] = password;
    return false;
}

void SessionPasswords::forget(const std::string& login)
{
    held_.erase(login);
    keyring_.forget(login);
}

} // namespace qs::gui
