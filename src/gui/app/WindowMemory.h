#pragma once

#include <QObject>
#include <QRect>
#include <QSettings>

namespace qs::gui {

class TCMForm;
class TOpenShopForm;

// What the main window keeps for the merchant from one run to the next: its
// place and size, whether it was maximised, the splitters' places, and the
// last shop opened, which "Open a Shop..." offers first. They belong to the
// merchant, not to the shops: they are kept in the user's configuration
// folder ($XDG_CONFIG_HOME/quaystall, ~/.config/quaystall when unset), never
// in the program folder.
class WindowMemory : public QObject {
    Q_OBJECT
public:
    // Puts back what was kept into the window (before it is shown) and the
    // dialog; keeps the window's state when the application quits and the
    // shop's name whenever one opens.
    WindowMemory(TCMForm& form, TOpenShopForm& openShopForm);

    // Keeps the window's place, size and splitters now.
    void keepWindow();

private:
    void restore();
    void keepOpenedShop(bool open);

    TCMForm& form_;
    TOpenShopForm& openShopForm_;
    QSettings settings_;
};

// A saved place and size put onto a screen's available area: no larger than
// the area, and moved inside it.
QRect fittedOnto(const QRect& saved, const QRect& available);

} // namespace qs::gui
