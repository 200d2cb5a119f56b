#pragma once

#include "core/text/NameValueList.h"

#include <string>

namespace qs {

class AtomicFileWriter;
struct AppState;

// The location file (location.cfg): where the local web server's folders
// are, and the URL and Perl paths the scripts get locally and on the server.

// Reads a location file into the location values. A file that cannot be read
// is not an error: the fallback folders are taken and a new file holding the
// current values is written at the same path (a failure there throws FileError).
void LoadLocation(AppState& state, const std::string& path);

// Writes the location values, and the dialog's "Do not show at start up"
// box, replacing the file. Throws FileError.
void SaveLocation(const AppState& state, const std::string& path);
// The same into the writer of the file, which the caller commits.
void SaveLocation(const AppState& state, AtomicFileWriter& file);

// The eight location values as the location file holds them (without Startup).
NameValueList locationValues(const AppState& state);
// Sets the eight location values from a list; an absent key empties its value.
void applyLocationValues(AppState& state, const NameValueList& values);
// Writes location values taken earlier, followed by Startup, unless the file
// holds these very bytes already: leaving the program writes them, and a run
// of the command line that saved a shop must not then fail on a file it had
// no need to write. Throws FileError.
void SaveLocation(NameValueList values, bool startupHidden, const std::string& path);

// Copies the mail settings of the dialog's chosen mail method into the shop
// settings list.
void StoreDetails(AppState& state);

// The program-wide location file, and the one Location Details writes: the
// open shop's while a shop is open, else the program-wide one.
std::string programLocationFile(const AppState& state);
std::string currentLocationFile(const AppState& state);

} // namespace qs
