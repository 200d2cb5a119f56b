#include "settings/AdminPassword.h"

#include "settings/StoredText.h"
#include "text/AtomicFile.h"
#include "text/FileError.h"
#include "text/LineSplitter.h"
#include "text/ReadFile.h"
#include "ui/UserInterface.h"

#include <filesystem>
#include <utility>

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
    std::string_view first;
    bool found = false;
    forEachLine(bytes, [&](std::string_view line) {
        if (!std::exchange(found, true))
            first = line;
    });
    AdminPassword admin;
    if (const std::size_t eq = first.find('='); eq != std::string_view::npos) {
        admin.userId = first.substr(0, eq);
        admin.password = first.substr(eq + 1);
    }
    return admin;
}

bool AdminPassword::write(const std::string& path, UserInterface& ui) const
{
    std::string refusal = userId.empty() || password.empty() ? std::string(emptyMessage) : std::string();
    if (refusal.empty())
        refusal = separatorRefusal("A user ID", userId, {"=", tabSeparator, lineBreakSeparator});
    if (refusal.empty())
        refusal = separatorRefusal("A password", password, {tabSeparator, lineBreakSeparator});
    if (!refusal.empty()) {
        ui.message(refusal, MessageKind::Warning);
        return false;
    }
    try {
        writeFileAtomically(path, userId + "=" + password + "\r\n", FileAccess::OwnerOnly);
    } catch (const FileError& error) {
        ui.message(std::string(saveProblem) + "\r\n" + error.what(), MessageKind::Error);
        return false;
    }
    return true;
}

} // namespace qs
