#include "FaultShim.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

// The fault tests need the fault library preloaded, in this process and in
// every program they start: started without it, the test program starts
// itself again with it.
int main(int argc, char** argv)
{
    if (!dlsym(RTLD_DEFAULT, "qs_fault_arm")) {
        if (std::getenv("QS_FAULT_RESTARTED")) {
            std::fprintf(stderr, "The fault library %s could not be preloaded.\n", QUAYSTALL_FAULT_SHIM);
            return 1;
        }
        setenv("QS_FAULT_RESTARTED", "1", 1);
        setenv("LD_PRELOAD", QUAYSTALL_FAULT_SHIM, 1);
        // The address sanitizer wants its library first unless told otherwise.
        const char* sanitizer = std::getenv("ASAN_OPTIONS");
        const std::string options = sanitizer && *sanitizer ? std::string(sanitizer) + ":" : std::string();
        setenv("ASAN_OPTIONS", (options + "verify_asan_link_order=0").c_str(), 1);
        execv("/proc/self/exe", argv);
        std::perror("Cannot start the fault tests again");
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
