#include "UpDown.h"

namespace km::ui {

UpDown::UpDown(Form& owner, std::string name) : Control(owner, ControlKind::UpDown, std::move(name), {}) {}

UpDown::UpDown(Frame& container, std::string name) : Control(container, ControlKind::UpDown, std::move(name), {}) {}

void UpDown::up() {
    if (onUpClick) {
        onUpClick();
    }
}

void UpDown::down() {
    if (onDownClick) {
        onDownClick();
    }
}

} // namespace km::ui
