#include "ModalWait.h"

#include <QDialog>
#include <QElapsedTimer>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace qs::gui {
namespace {

using namespace std::chrono_literals;

// The waits fail the test that made them, naming the window, and let it end.
class ModalWaitTest : public ::testing::Test {
protected:
    ModalWaitTest()
    {
        awaited.setObjectName("AwaitedForm");
        awaited.setWindowTitle("Awaited");
        other.setWindowTitle("Other");
    }

    QDialog awaited;
    QDialog other;
};

TEST_F(ModalWaitTest, AWindowThatDoesNotShowFailsWithinTheLimitAndWhatStoodInsteadIsClosed)
{
    QElapsedTimer clock;
    clock.start();
    EXPECT_NONFATAL_FAILURE(
        {
            test::whenModalShows(
                test::theWindow(awaited), [](QWidget*) {}, 300ms);
            other.exec();
        },
        "waited 300 ms for QDialog (AwaitedForm) \"Awaited\", which did not show; QDialog \"Other\" stood "
        "instead");
    EXPECT_LT(clock.elapsed(), 10'000);
    EXPECT_FALSE(other.isVisible());
}

TEST_F(ModalWaitTest, AWindowThatTheActLeavesOpenFailsAndIsClosed)
{
    EXPECT_NONFATAL_FAILURE(
        {
            test::whenModalShows(awaited, [] {});
            EXPECT_EQ(awaited.exec(), QDialog::Rejected);
        },
        "QDialog (AwaitedForm) \"Awaited\" stayed open");
}

TEST_F(ModalWaitTest, AWaitStillOpenWhenTheTestEndsFailsIt)
{
    EXPECT_NONFATAL_FAILURE(
        {
            test::whenModalShows(awaited, [] {});
            test::ModalWaits::endTest();
        },
        "the test ended before QDialog (AwaitedForm) \"Awaited\" showed");
}

TEST_F(ModalWaitTest, TheActRunsOnTheAwaitedWindowOnly)
{
    bool acted = false;
    test::whenModalShows<QDialog>([&](QDialog* dialog) {
        EXPECT_EQ(dialog, &other);
        test::whenModalShows(awaited, [&] {
            acted = true;
            awaited.accept();
        });
        EXPECT_EQ(awaited.exec(), QDialog::Accepted);
        other.accept();
    });
    EXPECT_EQ(other.exec(), QDialog::Accepted);
    EXPECT_TRUE(acted);
}

} // namespace
} // namespace qs::gui
