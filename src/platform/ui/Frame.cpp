#include "Frame.h"
#include "Form.h"

namespace km::ui {

Frame::Frame(Form& owner, std::string name, std::string caption)
    : Control(owner, ControlKind::Frame, std::move(name), std::move(caption)) {}

Frame::Frame(Frame& container, std::string name, std::string caption)
    : Control(container, ControlKind::Frame, std::move(name), std::move(caption)) {}

std::vector<Control*> Frame::children() const {
    std::vector<Control*> inside;
    for (Control* control : form().controls()) {
        if (control->container() == this) {
            inside.push_back(control);
        }
    }
    return inside;
}

} // namespace km::ui
