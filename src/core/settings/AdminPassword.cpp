#include "core/settings/AdminPassword.h"

#include "core/settings/StoredText.h"
#include "core/text/AtomicFile.h"
#include "core/text/FileError.h"
#include "core/text/LineSplitter.h"
#include "core/text/ReadFile.h"
#include "core/ui/UserInterface.h"

#include <filesystem>

namespace qs {

std::optional<AdminPassword> AdminPassword::read(const std::string& path, UserInterface& ui)
{
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
        return AdminPassword();
    std::string bytes;
    try {
        bytes = readFileBytes(path);
    } catch (const FileError&) {
        ui.message(loadProblem, MessageKind::Warning);
        return std::nullopt;
    }
    return parse(bytes);
}

AdminPassword AdminPassword::parse(std::string_view bytes)
{
    const std::string_view first = firstLine(bytes);
    AdminPassword admin;
    if (const std::size_t eq = first.find('='); eq != std::string_view::npos) {
        admin.userId = first.substr(0, eq);
        admin.password = first.substr(eq + 1);
    }
    return admin;
}

std::string AdminPassword::refusal() const
{
    if (userId.empty() || password.empty())
        return std::string(emptyMessage);
    std::string refused = separatorRefusal("A user ID", userId, {"=", tabSeparator, lineBreakSeparator});
    return refused.empty() ? separatorRefusal("A password", password, {tabSeparator, lineBreakSeparator})
                           : refused;
}

std::string AdminPassword::bytes() const
{
    return userId + "=" + password + "\r\n";
}

bool AdminPassword::write(const std::string& path, UserInterface& ui) const
{
    if (const std::string refused = refusal(); !refused.empty()) {
        ui.message(refused, MessageKind::Warning);
        return false;
    }
    try {
        writeFileAtomically(path, bytes(), FileAccess::OwnerOnly);
    } catch (const FileError& error) {
        ui.message(std::string(saveProblem) + "\r\n" + error.what(), MessageKind::Error);
        return false;
    }
    return true;
}

std::string AdminPassword::file(const std::string& shopCGIDir)
{
    return (std::filesystem::path(shopCGIDir) / adminPasswordFileName).string();
}

AdminPassword AdminPassword::load(const std::string& shopCGIDir, UserInterface& ui)
{
    return read(file(shopCGIDir), ui).value_or(AdminPassword());
}

bool AdminPassword::save(const std::string& shopCGIDir, bool& settingsModified, UserInterface& ui) const
{
    if (!write(file(shopCGIDir), ui))
        return false;
    settingsModified = true;
    return true;
}

} // namespace qs
