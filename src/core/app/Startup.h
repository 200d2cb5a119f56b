#pragma once

#include <string>

namespace qs {

struct AppState;
class UserInterface;

// The steps of start-up and shut-down that need no window, shared by the
// desktop program and the command line.

// Reads the program-wide location file (written with the fallback folders
// when it cannot be read), copies the mail settings into the shop settings
// list and reads the field definitions. A location file that cannot be
// written either is told to the user; start-up must then end (false).
bool StartUp(AppState& state, UserInterface& ui);

// Writes the program-wide location file. While a shop is open it keeps the
// values that were in force before the shop opened. Throws FileError.
void ShutDown(const AppState& state);

} // namespace qs
