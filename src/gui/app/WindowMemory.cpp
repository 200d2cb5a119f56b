#include "gui/app/WindowMemory.h"

#include "core/app/AppState.h"
#include "gui/app/TCMForm.h"
#include "gui/app/TOpenShopForm.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>

#include <algorithm>

namespace qs::gui {
namespace {

const QString geometryKey = QStringLiteral("window/geometry");
const QString maximizedKey = QStringLiteral("window/maximized");
const QString verticalSplitterKey = QStringLiteral("window/vertical-splitter");
const QString horizontalSplitterKey = QStringLiteral("window/horizontal-splitter");
// A shop's name is the file system's bytes: kept as bytes.
const QString lastShopKey = QStringLiteral("shops/last-opened");

} // namespace

QRect fittedOnto(const QRect& saved, const QRect& available)
{
    QRect fitted(saved.topLeft(), saved.size().boundedTo(available.size()));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(), available.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), available.top(), available.bottom() - fitted.height() + 1));
    return fitted;
}

WindowMemory::WindowMemory(TCMForm& form, TOpenShopForm& openShopForm)
    : form_(form), openShopForm_(openShopForm),
      settings_(QStringLiteral("quaystall"), QStringLiteral("quaystall"))
{
    restore();
    connect(&form_, &TCMForm::shopOpenChanged, this, &WindowMemory::keepOpenedShop);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &WindowMemory::keepWindow);
}

void WindowMemory::restore()
{
    const QRect saved = settings_.value(geometryKey).toRect();
    if (saved.isValid()) {
        const QScreen* screen = QGuiApplication::screenAt(saved.center());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        form_.setGeometry(screen ? fittedOnto(saved, screen->availableGeometry()) : saved);
    }
    if (settings_.value(maximizedKey).toBool())
        form_.setWindowState(form_.windowState() | Qt::WindowMaximized);
    form_.VertSplitter->restoreState(settings_.value(verticalSplitterKey).toByteArray());
    form_.HorzSplitter->restoreState(settings_.value(horizontalSplitterKey).toByteArray());
    openShopForm_.offerFirst(settings_.value(lastShopKey).toByteArray().toStdString());
}

void WindowMemory::keepWindow()
{
    settings_.setValue(geometryKey, form_.normalGeometry());
    settings_.setValue(maximizedKey, form_.isMaximized());
    settings_.setValue(verticalSplitterKey, form_.VertSplitter->saveState());
    settings_.setValue(horizontalSplitterKey, form_.HorzSplitter->saveState());
    settings_.sync();
}

void WindowMemory::keepOpenedShop(bool open)
{
    if (!open)
        return;
    const std::string& name = form_.appState().ShopName;
    settings_.setValue(lastShopKey, QByteArray::fromStdString(name));
    settings_.sync();
    openShopForm_.offerFirst(name);
}

} // namespace qs::gui
