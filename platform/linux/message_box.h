// Our own message box: its layout, its behaviour (focus, keys, clicks)
// and its look, drawn into a Pixels buffer. No platform calls here; the
// X11 backend shows the pixels and feeds the input.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vel::platform::linux_backend {

enum class BoxIcon { None, Critical, Question, Exclamation, Information };
BoxIcon iconOf(int style);

struct MessageBoxLayout {
    int width = 0, height = 0;
    int titleHeight = 18;
    Rect iconRect;  // empty without an icon
    int textLeft = 0, textTop = 0;
    std::vector<std::string> lines;
    std::vector<Rect> buttons;  // window pixels, in answer order
};

class MessageBoxModel {
public:
    explicit MessageBoxModel(int style);

    const std::vector<int>& answers() const { return answers_; }  // IdOk / IdYes / IdNo per button
    const std::vector<std::string>& labels() const { return labels_; }
    int focus() const { return focus_; }
    int pressed() const { return pressed_; }  // button held down by the mouse, -1 none
    // What Escape answers: OK on an OK box, No on a Yes/No box.
    int escapeAnswer() const { return answers_.back(); }

    // Keys as Windows virtual-key numbers; returns the answer when one is given.
    std::optional<int> key(int keyCode, int shift);
    // Mouse input in window pixels, against the layout's buttons.
    std::optional<int> mouse(const MouseEvent& e, const MessageBoxLayout& layout);
    // True while the press in the title bar should move the box.
    static bool inTitleBar(int x, int y, const MessageBoxLayout& layout) {
        return y >= 0 && y < layout.titleHeight && x >= 0 && x < layout.width;
    }

private:
    std::vector<int> answers_;
    std::vector<std::string> labels_;
    int focus_ = 0;
    int pressed_ = -1;
};

MessageBoxLayout layoutMessageBox(const std::string& text, const std::string& title, int style);
Pixels paintMessageBox(const MessageBoxLayout& layout, const std::string& title, int style,
                       const MessageBoxModel& model);

}  // namespace vel::platform::linux_backend
