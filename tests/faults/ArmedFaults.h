#pragma once

#include "FaultShim.h"

#include <dlfcn.h>
#include <string>

namespace qs::faults {

// The fault library's arrangement for this process (main() preloads the
// library) for as long as it lives; afterwards nothing fails or is recorded.
class ArmedFaults {
public:
    ArmedFaults(const std::string& folder, const char* kind, long at, int error, const std::string& log = "")
    {
        arm(folder.c_str(), kind, at, error, log.c_str());
    }
    ~ArmedFaults() { arm(nullptr, nullptr, 0, 0, nullptr); }
    ArmedFaults(const ArmedFaults&) = delete;
    ArmedFaults& operator=(const ArmedFaults&) = delete;

private:
    static void arm(const char* folder, const char* kind, long at, int error, const char* log)
    {
        static const auto function = reinterpret_cast<decltype(&qs_fault_arm)>(dlsym(RTLD_DEFAULT, "qs_fault_arm"));
        function(folder, kind, at, error, log);
    }
};

} // namespace qs::faults
