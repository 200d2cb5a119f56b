#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qs {

// The folders in which the shop's scripts keep what they write on the web
// server: orders, baskets, customers, mail waiting to go and the lock files
// that keep two requests from writing at once. The administrators' sessions
// are not among them: the scripts make that folder themselves, readable by
// their own user alone, since its listing names the sessions.
inline constexpr std::string_view serverDataFolders[] = {"orders", "baskets", "customers", "outbox", "locks"};

// Makes the folders that are missing, empty, in the upload data folder, and
// gives it and them mode 0775: the scripts write there, also on a host that
// runs them as another user of the merchant's group. What is in a folder
// that is already there stays. One line for each folder that could not be
// made or given its mode, and for a name taken by a file or a link (a link
// could lead the mode out of the upload folder).
std::vector<std::string> prepareServerDataFolders(const std::string& dataFolder);

} // namespace qs
