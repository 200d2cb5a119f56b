#pragma once

#include <stdexcept>
#include <string_view>

namespace qs {

struct AppState;

// A command that needs the shop's folders, refused while the local CGI folder
// is not set: every path of the shop would then start at the root of the file
// system. The face offers Location Details; the command line says so and fails.
class LocationNotSet : public std::runtime_error {
public:
    LocationNotSet();

    static constexpr std::string_view message =
        "The local CGI directory is not set, so the shop's files have no place to go.\r\n"
        "Set it in File, Location Details.";
};

// Throws LocationNotSet while LocCGI is empty.
void requireLocalCGI(const AppState& state);

} // namespace qs
