#include "Label.h"

namespace km::ui {

Label::Label(Form& owner, std::string name, std::string caption)
    : Control(owner, ControlKind::Label, std::move(name), std::move(caption)) {}

Label::Label(Frame& container, std::string name, std::string caption)
    : Control(container, ControlKind::Label, std::move(name), std::move(caption)) {}

void Label::setCaption(std::string caption) {
    if (caption == this->caption()) {
        changed(Property::Caption);
        return;
    }
    setCaptionText(std::move(caption));
}

} // namespace km::ui
