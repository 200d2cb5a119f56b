#pragma once

#include "DemoShop.h"
#include "GuiTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace qs::gui::test {

// The shop "Demo", for the option dialogs.
class ShopOptionsTest : public ::testing::Test, protected qs::test::DemoShop {
protected:
    template <typename Dialog> bool show(Dialog& dialog, std::function<void()> act)
    {
        whenModalShows(dialog, std::move(act));
        return dialog.execute();
    }
};

} // namespace qs::gui::test
