#pragma once

namespace qs {

struct AppState;
class UserInterface;

// A shop keeps its own copies of the master scripts in its CGI folder, taken
// when it was made. A shop made by another version of the program gets them
// anew when it opens: the files of the local CGI root's full script list,
// copied as a new shop's are (with the local Perl path). Its settings,
// password, location file and data are not among them and stay as they are.
// The shop's version mark then says the scripts are the program's.

// Copies the scripts when the shop's mark names another version (or it has
// none) and its CGI folder is there. Tells the user when the local CGI root
// or its list is missing (nothing copied, the mark stays). A script that
// cannot be copied is told and thrown on as FileError.
void bringShopScriptsUpToDate(const AppState& state, UserInterface& ui);

// The shop's scripts are the program's version's: after a new shop's copy.
// Throws FileError.
void markShopScriptsCurrent(const AppState& state);

} // namespace qs
