#pragma once

#include "core/ui/Progress.h"

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace qs::gui {

// The shared "Please Wait..." window: a label, a second label that
// stays empty, and a bar. Stepping keeps the program's windows painting, but
// lets pending events run at most every few milliseconds, so that a million
// steps stay cheap; user input waits meanwhile. Work that may be stopped
// offers a Cancel button: the window is then modal, so that the button is
// the only input the program takes until the work ends.
class TProgressForm : public QWidget, public qs::Progress {
    Q_OBJECT
public:
    static constexpr int eventInterval = 50; // milliseconds between event runs

    explicit TProgressForm(QWidget* parent = nullptr);

    void setLabel(std::string_view text) override;
    void setRange(long long minimum, long long maximum) override;
    void setPosition(long long position) override;
    void show() override;
    void step() override;
    void hide() override;
    void offerCancel(bool offered) override;
    bool cancelRequested() const override { return cancelRequested_; }

    long long minimum() const { return minimum_; }
    long long maximum() const { return maximum_; }
    long long position() const { return position_; }

    QLabel* TheLabel;
    QLabel* SecondLabel;
    QProgressBar* ProgressBar;
    QPushButton* CancelBtn;

protected:
    // The window closes when the work ends, not before.
    void closeEvent(QCloseEvent* event) override;

private:
    void showPosition();
    // Every so often during long work, the windows repaint.
    void keepPainting();

    long long minimum_ = 0;
    long long maximum_ = 100;
    long long position_ = 0;
    // Ranges wider than the bar can hold are shown scaled down.
    long long divisor_ = 1;
    // Setting the bar costs more than a step should: it is set when the
    // position has moved by a thousandth of the range, and before events run.
    long long barStep_ = 1;
    long long nextShown_ = 0;
    QElapsedTimer sinceEvents_;
    bool cancelRequested_ = false;
};

} // namespace qs::gui
