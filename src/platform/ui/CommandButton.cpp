#include "CommandButton.h"
#include "platform/runtime/Text.h"

namespace km::ui {

CommandButton::CommandButton(Form& owner, std::string name, std::string caption)
    : Control(owner, ControlKind::CommandButton, std::move(name), std::move(caption)) {}

CommandButton::CommandButton(Frame& container, std::string name, std::string caption)
    : Control(container, ControlKind::CommandButton, std::move(name), std::move(caption)) {}

bool CommandButton::hasCaption(std::string_view text) const {
    return rt::equalsNoCase(caption(), text) || rt::equalsNoCase(withoutAccessKeys(caption()), text);
}

void CommandButton::click() {
    if (onClick) {
        onClick();
    }
}

} // namespace km::ui
