#pragma once

#include "ScriptedUserInterface.h"
#include "core/app/AppState.h"
#include "TempFolder.h"
#include "DialogTestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace qs::gui::test {

// Acts on a dialog opened from inside another one, once it is the active
// modal window; a dialog the action left open is cancelled.
inline void whenDialogShows(QDialog& dialog, std::function<void()> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, &dialog, act] {
        if (QApplication::activeModalWidget() != &dialog)
            return;
        timer->stop();
        timer->deleteLater();
        act();
        if (dialog.isVisible()) {
            ADD_FAILURE() << "the dialog stayed open";
            dialog.reject();
        }
    });
    timer->start();
}

// The shop "Demo" with its CGI and data folders, for the option dialogs.
class ShopOptionsTest : public ::testing::Test {
protected:
    ShopOptionsTest() : state(folder.path().string())
    {
        state.LocCGI = folder.path().string();
        state.ShopName = "Demo";
        std::filesystem::create_directories(state.ShopDataDir());
    }

    void writeData(std::string_view name, std::string_view bytes) const
    {
        folder.write("Demo-cgi/data/" + std::string(name), bytes);
    }
    std::string data(std::string_view name) const
    {
        return folder.read("Demo-cgi/data/" + std::string(name));
    }

    template <typename Dialog> bool show(Dialog& dialog, const std::function<void()>& act)
    {
        return runModal(
            dialog, [&] { return dialog.execute(); }, act);
    }

    qs::test::TempFolder folder;
    AppState state;
    qs::test::ScriptedUserInterface ui;
};

} // namespace qs::gui::test
