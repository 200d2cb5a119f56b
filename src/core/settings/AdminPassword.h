#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qs {

class UserInterface;

// admin.pass in the shop's CGI folder: the ID and password with which
// administrators manage the shop online, one line "id=password" ended by
// CR LF. The ID ends at the first "=", so the password may hold one. The file
// is readable by its owner only.
struct AdminPassword {
    std::string userId;
    std::string password;

    // The first line of the file. A shop without the file has no password
    // yet (both empty); one that cannot be read is told: nothing then.
    static std::optional<AdminPassword> read(const std::string& path, UserInterface& ui);
    // The first line of the file's bytes.
    static AdminPassword parse(std::string_view bytes);
    // Why the file cannot hold the ID and password; empty when it can.
    std::string refusal() const;
    // The file's line.
    std::string bytes() const;
    // Refuses an empty ID or password and what the line cannot hold (told:
    // false); a file that cannot be written is told with the system's reason: false.
    bool write(const std::string& path, UserInterface& ui) const;

    // The open shop's file, in its CGI folder.
    static std::string file(const std::string& shopCGIDir);
    // What the administrators' dialog shows: the shop's ID and password, both
    // empty after a failed read (told), never another shop's.
    static AdminPassword load(const std::string& shopCGIDir, UserInterface& ui);
    // The dialog's OK: writes the shop's file as write() does. A new password
    // counts as a change of the shop's settings (settingsModified), so that
    // leaving the program offers to save.
    bool save(const std::string& shopCGIDir, bool& settingsModified, UserInterface& ui) const;

    bool operator==(const AdminPassword&) const = default;

    static constexpr std::string_view loadProblem = "There was a problem loading the password file.";
    static constexpr std::string_view saveProblem = "There was a problem saving the password file.";
    static constexpr std::string_view emptyMessage = "Please enter both a user ID and a password.";
};

inline constexpr const char* adminPasswordFileName = "admin.pass";

} // namespace qs
