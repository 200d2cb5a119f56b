#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// A window test acts on a modal window from a timer, since the step that
// opens it waits until it closes. Every such wait goes through here: it fails
// the test, naming the window, instead of hanging when the window never shows.
namespace qs::gui::test {

// Long enough for the slowest step that opens a window under the sanitizers.
inline constexpr std::chrono::milliseconds modalWaitLimit = std::chrono::seconds(30);

// The modal window a test waits for: how it is recognised, and its name in a
// failure message.
struct AwaitedWindow {
    std::function<bool(QWidget*)> is;
    std::function<QString()> name;
};

// Class, object name and title, as far as the window has them.
inline QString windowName(const QWidget& window)
{
    QString name = QString::fromLatin1(window.metaObject()->className());
    if (!window.objectName().isEmpty())
        name += QStringLiteral(" (") + window.objectName() + QLatin1Char(')');
    if (!window.windowTitle().isEmpty())
        name += QStringLiteral(" \"") + window.windowTitle() + QLatin1Char('"');
    return name;
}

inline AwaitedWindow theWindow(QWidget& window)
{
    const QPointer<QWidget> awaited(&window);
    const QString nameNow = windowName(window);
    return {[awaited](QWidget* modal) { return modal == awaited; },
            [awaited, nameNow] { return awaited ? windowName(*awaited) : nameNow; }};
}

inline AwaitedWindow anyModalWindow()
{
    return {[](QWidget*) { return true; }, [] { return QStringLiteral("any modal window"); }};
}

template <typename Window> AwaitedWindow modalWindowOf()
{
    return {[](QWidget* modal) { return qobject_cast<Window*>(modal) != nullptr; },
            [] { return QStringLiteral("a ") + QString::fromLatin1(Window::staticMetaObject.className()); }};
}

// The waits of the running test. A window that does not show in time fails
// the test, and from then on every modal window is closed as it shows, so
// that the test runs to its end; a wait still open when the test ends fails
// it too (ModalWaitsEndWithEachTest).
class ModalWaits {
public:
    static void add(AwaitedWindow awaited, std::function<void(QWidget*)> act, std::chrono::milliseconds limit)
    {
        auto wait = std::make_unique<Wait>(std::move(awaited));
        Wait& w = *wait;
        QObject::connect(&w.poll, &QTimer::timeout, &w.poll, [&w, act = std::move(act), limit] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && w.awaited.is(modal)) {
                w.poll.stop();
                const QPointer<QWidget> shown(modal);
                act(modal);
                if (shown)
                    closeIfOpen(shown, w.awaited.name());
            } else if (w.clock.hasExpired(limit.count())) {
                w.poll.stop();
                ADD_FAILURE() << "waited " << limit.count() << " ms for " << w.awaited.name().toStdString()
                              << ", which did not show"
                              << (modal ? "; " + windowName(*modal).toStdString() + " stood instead" : "");
                closeEveryModalWindow();
            }
        });
        w.clock.start();
        w.poll.start(10);
        waits().push_back(std::move(wait));
    }

    // The test ended: a wait still open fails it, and nothing closes windows any longer.
    static void endTest()
    {
        for (const std::unique_ptr<Wait>& wait : waits())
            if (wait->poll.isActive())
                ADD_FAILURE() << "the test ended before " << wait->awaited.name().toStdString() << " showed";
        waits().clear();
        sweeper().stop();
    }

private:
    struct Wait {
        explicit Wait(AwaitedWindow window) : awaited(std::move(window)) {}
        AwaitedWindow awaited;
        QTimer poll;
        QElapsedTimer clock;
    };

    static std::vector<std::unique_ptr<Wait>>& waits()
    {
        static std::vector<std::unique_ptr<Wait>> running;
        return running;
    }

    static void closeIfOpen(QWidget* window, const QString& name)
    {
        if (!window->isVisible())
            return;
        ADD_FAILURE() << name.toStdString() << " stayed open";
        close(window);
    }

    static void close(QWidget* window)
    {
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->reject();
        else
            window->close();
    }

    // Closes the modal window on top while it runs.
    static QTimer& sweeper()
    {
        static QTimer* const timer = [] {
            auto* sweeping = new QTimer;
            sweeping->callOnTimeout([] {
                if (QWidget* modal = QApplication::activeModalWidget())
                    close(modal);
            });
            return sweeping;
        }();
        return *timer;
    }

    static void closeEveryModalWindow() { sweeper().start(10); }
};

// Runs act on the awaited window as soon as it is the active modal window;
// a window that act leaves open fails the test and is closed.
inline void whenModalShows(AwaitedWindow awaited, std::function<void(QWidget*)> act,
                           std::chrono::milliseconds limit = modalWaitLimit)
{
    ModalWaits::add(std::move(awaited), std::move(act), limit);
}

inline void whenModalShows(std::function<void(QWidget*)> act)
{
    whenModalShows(anyModalWindow(), std::move(act));
}

inline void whenModalShows(QWidget& window, std::function<void()> act)
{
    whenModalShows(theWindow(window), [act = std::move(act)](QWidget*) { act(); });
}

template <typename Window> void whenModalShows(std::function<void(Window*)> act)
{
    whenModalShows(modalWindowOf<Window>(),
                   [act = std::move(act)](QWidget* modal) { act(qobject_cast<Window*>(modal)); });
}

// Installed by the window tests' main().
class ModalWaitsEndWithEachTest : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { ModalWaits::endTest(); }
};

} // namespace qs::gui::test
