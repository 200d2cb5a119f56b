// The window tests run GoogleTest inside a QApplication on the offscreen
// platform, whatever display the machine has.
#include "ModalWait.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (as CMake does after each build) needs no windows.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new qs::gui::test::ModalWaitsEndWithEachTest);
    return RUN_ALL_TESTS();
}
