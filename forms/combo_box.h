// The drop-down list box: a field showing the chosen entry and a button
// that opens the list over the window. The click handler runs whenever the
// user changes the choice (mouse, arrows or wheel).
#pragma once

#include <string>
#include <vector>

#include "forms/control.h"

namespace vel::forms {

class ComboBox : public Control {
public:
    ComboBox(std::string name, int index = -1);
    void addItem(const std::string& item);
    void clear();
    const std::vector<std::string>& list() const { return items_; }
    int listCount() const { return static_cast<int>(items_.size()); }
    // -1 when nothing is chosen.
    int listIndex() const { return index_; }
    // False (and nothing changes) for a position the list does not have.
    bool setListIndex(int i);
    std::string text() const;
    bool dropped() const { return dropped_; }
    void drop();

    bool focusable() const override { return true; }
    bool keyDown(const platform::KeyEvent& e) override;
    bool wheel(int delta) override;
    void pressAt(int x, int y) override;
    void click() override {}
    void paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const override;
    std::string describe() const override;

    bool overlayHit(int x, int y) const override;
    void overlayMouse(const platform::MouseEvent& e) override;
    void paintOverlay(Pixels& target) const override;
    void closeOverlay() override;

private:
    struct ListBox {
        int left, top, width, rows;
    };
    ListBox listBox() const;
    void choose(int i);
    void scrollTo(int i);
    std::vector<std::string> items_;
    int index_ = -1;
    bool dropped_ = false;
    int hot_ = -1;     // highlighted entry of the open list
    int firstRow_ = 0; // entry at the top of the open list
};

}  // namespace vel::forms
