// Controls that hold a number in a range: the slider and the up-down.
// Setting a value outside the range is refused (the control keeps its
// value, as the classic controls raise an error); the user's changes run
// the change handler.
#pragma once

#include <memory>

#include "forms/control.h"
#include "forms/timer.h"

namespace vel::forms {

class RangeControl : public Control {
public:
    using Control::Control;
    int value() const { return value_; }
    int min() const { return min_; }
    int max() const { return max_; }
    // False (and nothing changes) when v is outside min..max.
    bool setValue(int v);
    // A new limit pulls the value inside the range.
    void setMin(int v);
    void setMax(int v);
    bool focusable() const override { return true; }
    bool pressesOnDoubleClick() const override { return true; }
    std::string describe() const override;
    std::function<void()> onChange;

protected:
    // The user moved it: clamped to the range; the handler runs on a change.
    void userSet(int v);
    int value_ = 0, min_ = 0, max_ = 10;
};

class Slider : public RangeControl {
public:
    Slider(std::string name, int index = -1);
    int smallChange() const { return small_; }
    int largeChange() const { return large_; }
    void setSteps(int small, int large) { small_ = small, large_ = large; }
    int tickFrequency() const { return tick_; }
    void setTickFrequency(int t) { tick_ = t; invalidate(); }

    bool keyDown(const platform::KeyEvent& e) override;
    bool wheel(int delta) override;
    void pressAt(int x, int y) override;
    void dragTo(int x, int y) override;
    void releaseAt(int x, int y) override;
    void paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const override;

private:
    int thumbLeft() const;
    int valueAt(int x) const;
    int small_ = 1, large_ = 5, tick_ = 1;
    bool dragging_ = false;
    int grab_ = 0;
};

// Two stacked arrow buttons: up adds one step, down takes one away.
// Held down, an arrow repeats as the desktop's do: after 500 ms, then
// every 50 ms, while the pointer stays on it.
class UpDown : public RangeControl {
public:
    static constexpr std::uint32_t kFirstRepeatMs = 500, kRepeatMs = 50;
    UpDown(std::string name, int index = -1);
    ~UpDown() override;
    int increment() const { return increment_; }
    void setIncrement(int v) { increment_ = v; }

    bool keyDown(const platform::KeyEvent& e) override;
    bool wheel(int delta) override;
    void pressAt(int x, int y) override;
    void dragTo(int x, int y) override;
    void releaseAt(int x, int y) override;
    void paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const override;

private:
    int arrowAt(int x, int y) const;  // 1 up, -1 down, 0 outside
    void repeatStep();
    int increment_ = 1;
    int pressed_ = 0;  // 1 up, -1 down
    bool pointerOnPressed_ = false;
    std::unique_ptr<Timer> repeat_;
};

}  // namespace vel::forms
