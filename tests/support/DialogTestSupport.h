#pragma once

#include "GuiTestSupport.h"

#include <QDialog>

#include <gtest/gtest.h>

#include <functional>

namespace qs::gui::test {

// Shows a dialog through its execute(), lets the user act on it once it is
// up, and returns what execute() returned. A dialog that the actions left
// open is cancelled, so that a failing test ends instead of waiting.
inline bool runModal(QDialog& dialog, const std::function<bool()>& execute, const std::function<void()>& act)
{
    whenModalShows([&dialog, act](QWidget*) {
        act();
        if (dialog.isVisible()) {
            ADD_FAILURE() << "the dialog stayed open";
            dialog.reject();
        }
    });
    return execute();
}

} // namespace qs::gui::test
