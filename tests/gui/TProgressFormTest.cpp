#include "TProgressForm.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace qs::gui {
namespace {

TEST(TProgressForm, LooksAsTheSystemDescribesIt)
{
    TProgressForm form;
    EXPECT_EQ(form.windowTitle(), "Please Wait...");
    EXPECT_EQ(form.TheLabel->objectName(), "TheLabel");
    EXPECT_EQ(form.TheLabel->text(), "Adding products to catalogue...");
    EXPECT_TRUE(form.SecondLabel->text().isEmpty());
    EXPECT_EQ(form.ProgressBar->minimum(), 0);
    EXPECT_EQ(form.ProgressBar->maximum(), 100);
    EXPECT_FALSE(form.isVisible());
}

TEST(TProgressForm, CallersSetItUpStepItAndHideIt)
{
    TProgressForm form;
    qs::Progress& progress = form;
    progress.setLabel("Loading caf\xE9 catalogue...");
    progress.setRange(0, 10);
    progress.setPosition(3);
    progress.show();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.TheLabel->text(), QString::fromUtf8("Loading café catalogue..."));
    progress.step();
    progress.step();
    EXPECT_EQ(form.ProgressBar->value(), 5);
    EXPECT_EQ(form.position(), 5);
    progress.hide();
    EXPECT_FALSE(form.isVisible());
}

TEST(TProgressForm, RangesWiderThanTheBarAreScaled)
{
    TProgressForm form;
    form.setRange(0, 10'000'000'000'000LL);
    form.setPosition(5'000'000'000'000LL);
    const double shown = double(form.ProgressBar->value() - form.ProgressBar->minimum()) /
                         double(form.ProgressBar->maximum() - form.ProgressBar->minimum());
    EXPECT_NEAR(shown, 0.5, 0.001);
    form.setRange(-5, 5);
    form.setPosition(0);
    EXPECT_EQ(form.ProgressBar->value(), 0);
    EXPECT_EQ(form.ProgressBar->minimum(), -5);
}

TEST(TProgressForm, AMillionStepsStayCheapAndTheWindowStillPaints)
{
    TProgressForm form;
    form.setRange(0, 1'000'000);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    int painted = 0;
    struct PaintCounter : QObject {
        int* count;
        explicit PaintCounter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint)
                ++*count;
            return false;
        }
    } counter(&painted);
    form.ProgressBar->installEventFilter(&counter);

    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 1'000'000; ++i)
        form.step();
    const qint64 took = clock.elapsed();

    EXPECT_EQ(form.ProgressBar->value(), 1'000'000);
    EXPECT_LT(took, 20'000) << "even under the sanitizers";
    if (took > 3 * TProgressForm::eventInterval) {
        EXPECT_GT(painted, 0) << "the bar repainted while the work went on";
    }
}

TEST(TProgressForm, SteppingLetsPendingEventsRun)
{
    TProgressForm form;
    form.setRange(0, 100);
    form.show();
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    QElapsedTimer clock;
    clock.start();
    while (!ran && clock.elapsed() < 5 * TProgressForm::eventInterval)
        form.step();
    EXPECT_TRUE(ran) << "a long piece of work still lets the windows paint";
    EXPECT_EQ(form.ProgressBar->value(), 100) << "the bar stops at its maximum";
}

} // namespace
} // namespace qs::gui
