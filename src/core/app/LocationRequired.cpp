#include "core/app/LocationRequired.h"

#include "core/app/AppState.h"

#include <string>

namespace qs {

LocationNotSet::LocationNotSet() : std::runtime_error(std::string(message)) {}

void requireLocalCGI(const AppState& state)
{
    if (state.LocCGI.empty())
        throw LocationNotSet();
}

} // namespace qs
