#include "platform/linux/message_box.h"

namespace vel::platform::linux_backend {

BoxIcon iconOf(int style) {
    switch (style & 0x70) {
        case mb::Critical: return BoxIcon::Critical;
        case mb::Question: return BoxIcon::Question;
        case mb::Exclamation: return BoxIcon::Exclamation;
        case mb::Information: return BoxIcon::Information;
        default: return BoxIcon::None;
    }
}

MessageBoxModel::MessageBoxModel(int style) {
    if ((style & 0x0F) == mb::YesNo) {
        answers_ = {mb::IdYes, mb::IdNo};
        labels_ = {"Yes", "No"};
    } else {
        answers_ = {mb::IdOk};
        labels_ = {"OK"};
    }
    if ((style & 0xF00) == mb::DefaultButton2 && answers_.size() > 1) focus_ = 1;
}

std::optional<int> MessageBoxModel::key(int keyCode, int shift) {
    const int count = static_cast<int>(answers_.size());
    switch (keyCode) {
        case 13:  // Enter
        case 32:  // Space
            return answers_[static_cast<std::size_t>(focus_)];
        case 27:
            return escapeAnswer();
        case 9:  // Tab, Shift+Tab backwards
            focus_ = (focus_ + ((shift & 1) ? count - 1 : 1)) % count;
            return std::nullopt;
        case 37:
        case 38:
            focus_ = (focus_ + count - 1) % count;
            return std::nullopt;
        case 39:
        case 40:
            focus_ = (focus_ + 1) % count;
            return std::nullopt;
        case 'Y':
            if (answers_.front() == mb::IdYes) return mb::IdYes;
            return std::nullopt;
        case 'N':
            if (answers_.front() == mb::IdYes) return mb::IdNo;
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

std::optional<int> MessageBoxModel::mouse(const MouseEvent& e, const MessageBoxLayout& layout) {
    if (e.button != MouseButton::Left && e.kind != MouseEvent::Kind::Move) return std::nullopt;
    int hit = -1;
    for (std::size_t i = 0; i < layout.buttons.size(); ++i)
        if (layout.buttons[i].contains(e.x, e.y)) hit = static_cast<int>(i);
    switch (e.kind) {
        case MouseEvent::Kind::Down:
        case MouseEvent::Kind::DoubleClick:
            pressed_ = hit;
            if (hit >= 0) focus_ = hit;
            return std::nullopt;
        case MouseEvent::Kind::Up: {
            const int was = pressed_;
            pressed_ = -1;
            // A button answers only when pressed and released on it.
            if (was >= 0 && was == hit) return answers_[static_cast<std::size_t>(hit)];
            return std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace vel::platform::linux_backend
