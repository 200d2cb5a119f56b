#include "gui/ui/TProgressForm.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

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

TEST(TProgressForm, TheMerchantCannotCloseOrMaximiseItWhileWorkRuns)
{
    TProgressForm form;
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    static_cast<qs::Progress&>(form).show();
    form.close();
    EXPECT_TRUE(form.isVisible());
    static_cast<qs::Progress&>(form).hide();
    EXPECT_FALSE(form.isVisible());
}

TEST(TProgressForm, OffersCancelOnlyWhenAskedAndTellsWhenItWasPressed)
{
    TProgressForm form;
    qs::Progress& progress = form;
    progress.show();
    EXPECT_FALSE(form.CancelBtn->isVisible());
    EXPECT_FALSE(form.isModal());
    progress.hide();

    progress.offerCancel(true);
    progress.show();
    EXPECT_TRUE(form.CancelBtn->isVisible());
    EXPECT_EQ(form.windowModality(), Qt::ApplicationModal);
    EXPECT_FALSE(progress.cancelRequested());
    // A click waits in the queue until the work lets events run.
    QTimer::singleShot(0, form.CancelBtn, &QPushButton::click);
    QElapsedTimer waited;
    waited.start();
    while (!progress.cancelRequested() && waited.elapsed() < 5000)
        progress.step();
    EXPECT_TRUE(progress.cancelRequested());
    progress.hide();
    progress.offerCancel(false);
    progress.show();
    EXPECT_FALSE(progress.cancelRequested()) << "a new showing starts afresh";
    EXPECT_FALSE(form.CancelBtn->isVisible());
    progress.hide();
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
    for (int i = 0; i < 10; ++i)
        progress.step();
    EXPECT_EQ(form.ProgressBar->value(), 10) << "the bar stops at its maximum";
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

TEST(TProgressForm, AMillionStepsReachTheEndAndTheWindowStillPaints)
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
    if (took > 3 * TProgressForm::eventInterval) {
        EXPECT_GT(painted, 0) << "the bar repainted while the work went on";
    }
}

TEST(TProgressForm, SteppingAndMovingLetPendingEventsRun)
{
    // Long work reports its progress either way; both must let the windows paint.
    const std::pair<const char*, std::function<void(TProgressForm&, long long)>> reports[] = {
        {"step", [](TProgressForm& form, long long) { form.step(); }},
        {"setPosition", [](TProgressForm& form, long long i) { form.setPosition(i % 100); }},
    };
    for (const auto& [how, report] : reports) {
        SCOPED_TRACE(how);
        TProgressForm form;
        form.setRange(0, 100);
        form.show();
        bool ran = false;
        QTimer::singleShot(0, [&] { ran = true; });
        QElapsedTimer clock;
        clock.start();
        // Bounded only so that a fault ends the test instead of hanging it.
        for (long long i = 0; !ran && clock.elapsed() < 60'000; ++i)
            report(form, i);
        EXPECT_TRUE(ran) << "a long piece of work still lets the windows paint";
    }
}

} // namespace
} // namespace qs::gui
