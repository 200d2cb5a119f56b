#pragma once

#include <string_view>

namespace qs {

// The "Please Wait..." progress window: a label and a bar. It has no behaviour
// of its own; long work sets it up, shows it, steps it and hides it. Stepping
// also lets the window repaint while the work goes on.
class Progress {
public:
    virtual ~Progress() = default;

    virtual void setLabel(std::string_view text) = 0;
    virtual void setRange(long long minimum, long long maximum) = 0;
    virtual void setPosition(long long position) = 0;
    virtual void show() = 0;
    virtual void step() = 0;
    virtual void hide() = 0;
    // Work the merchant may stop offers a Cancel button while the window shows.
    virtual void offerCancel(bool /*offered*/) {}
    // Whether Cancel was pressed since the window was last shown.
    virtual bool cancelRequested() const { return false; }
};

// For faces without a window, such as the command line.
class SilentProgress final : public Progress {
public:
    void setLabel(std::string_view) override {}
    void setRange(long long, long long) override {}
    void setPosition(long long) override {}
    void show() override {}
    void step() override {}
    void hide() override {}
};

} // namespace qs
