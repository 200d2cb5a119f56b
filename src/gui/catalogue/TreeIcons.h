#pragma once

#include <QIcon>

namespace qs::gui {

// The tree's node pictures, drawn rather than loaded so that they need no file:
// a catalogue for the root and a folder for every category.
class TreeIcons {
public:
    static QIcon catalogue();
    static QIcon category();
};

} // namespace qs::gui
