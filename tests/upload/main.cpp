#include "SshServer.h"

#include <gtest/gtest.h>

#include <filesystem>

// Without an SSH server to upload to, the tests are skipped as a whole.
int main(int argc, char** argv)
{
    if (!std::filesystem::exists(qs::test::sshServerProgram))
        return 77;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
