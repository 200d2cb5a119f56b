#include "gui/ui/TProgressForm.h"

#include "gui/text/Encoding.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace qs::gui {

// A title and nothing the merchant could close or maximise the window with:
// it goes when the work is done.
TProgressForm::TProgressForm(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName("ProgressForm");
    setWindowTitle("Please Wait...");
    setWindowModality(Qt::NonModal);

    TheLabel = new QLabel("Adding products to catalogue...", this);
    TheLabel->setObjectName("TheLabel");
    SecondLabel = new QLabel(this);
    SecondLabel->setObjectName("Label2");
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName("ProgressBar");
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName("CancelBtn");
    CancelBtn->hide();
    connect(CancelBtn, &QPushButton::clicked, this, [this] { cancelRequested_ = true; });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 16);
    layout->setSpacing(8);
    layout->addWidget(TheLabel);
    layout->addWidget(SecondLabel);
    layout->addWidget(ProgressBar);
    layout->addWidget(CancelBtn, 0, Qt::AlignRight);
    setFixedWidth(360);
    sinceEvents_.start();
}

void TProgressForm::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

void TProgressForm::setLabel(std::string_view text)
{
    TheLabel->setText(fromBytes(text));
}

void TProgressForm::setRange(long long minimum, long long maximum)
{
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    const unsigned long long span =
        static_cast<unsigned long long>(maximum_) - static_cast<unsigned long long>(minimum_);
    divisor_ =
        span <= static_cast<unsigned long long>(INT_MAX) ? 1 : static_cast<long long>(span / INT_MAX + 1);
    if (divisor_ == 1 && minimum_ >= INT_MIN && maximum_ <= INT_MAX)
        ProgressBar->setRange(static_cast<int>(minimum_), static_cast<int>(maximum_));
    else
        ProgressBar->setRange(0, static_cast<int>(span / static_cast<unsigned long long>(divisor_)));
    barStep_ = std::max<long long>(1, static_cast<long long>(span / 1000));
    showPosition();
}

void TProgressForm::setPosition(long long position)
{
    position_ = position;
    showPosition();
    keepPainting();
}

void TProgressForm::showPosition()
{
    nextShown_ = position_ + barStep_;
    const long long clamped = std::clamp(position_, minimum_, maximum_);
    if (divisor_ == 1 && minimum_ >= INT_MIN && maximum_ <= INT_MAX)
        ProgressBar->setValue(static_cast<int>(clamped));
    else
        ProgressBar->setValue(static_cast<int>(
            (static_cast<unsigned long long>(clamped) - static_cast<unsigned long long>(minimum_)) /
            static_cast<unsigned long long>(divisor_)));
}

void TProgressForm::offerCancel(bool offered)
{
    CancelBtn->setVisible(offered);
    if (!isVisible())
        setWindowModality(offered ? Qt::ApplicationModal : Qt::NonModal);
}

void TProgressForm::show()
{
    cancelRequested_ = false;
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QWidget::show();
    raise();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceEvents_.restart();
}

void TProgressForm::step()
{
    ++position_;
    if (position_ >= nextShown_ || position_ >= maximum_)
        showPosition();
    keepPainting();
}

void TProgressForm::keepPainting()
{
    if (sinceEvents_.elapsed() < eventInterval)
        return;
    showPosition();
    // The Cancel button, when there is one, is the only input: the window is modal.
    QCoreApplication::processEvents(CancelBtn->isVisible() ? QEventLoop::AllEvents
                                                           : QEventLoop::ExcludeUserInputEvents);
    sinceEvents_.restart();
}

void TProgressForm::hide()
{
    showPosition();
    QWidget::hide();
}

} // namespace qs::gui
