#include "OptionButton.h"
#include "Form.h"

namespace km::ui {

OptionButton::OptionButton(Form& owner, std::string name, std::string caption)
    : Control(owner, ControlKind::OptionButton, std::move(name), std::move(caption)) {}

OptionButton::OptionButton(Frame& container, std::string name, std::string caption)
    : Control(container, ControlKind::OptionButton, std::move(name), std::move(caption)) {}

void OptionButton::setValue(bool value) {
    if (!value) {
        if (m_value) {
            m_value = false;
            changed(Property::Value);
        }
        return;
    }
    clearOthersInGroup();
    if (!m_value) {
        m_value = true;
        changed(Property::Value);
    }
    if (onClick) {
        onClick();
    }
}

void OptionButton::clearOthersInGroup() {
    for (Control* control : form().controls()) {
        if (control == this || control->kind() != ControlKind::OptionButton || control->container() != container()) {
            continue;
        }
        static_cast<OptionButton*>(control)->setValue(false);
    }
}

} // namespace km::ui
