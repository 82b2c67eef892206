#include "ColourDialog.h"
#include "Form.h"
#include "FrontEnd.h"

namespace km::ui {

ColourDialog::ColourDialog(Form& owner, std::string name)
    : Control(owner, ControlKind::ColourDialog, std::move(name), {}) {}

void ColourDialog::setColor(rt::Long colour) {
    if (m_color == colour) {
        return;
    }
    m_color = colour;
    changed(Property::Value);
}

bool ColourDialog::showColor() {
    std::optional<rt::Long> chosen = form().frontEnd().chooseColour(m_color);
    if (!chosen) {
        return false;
    }
    setColor(*chosen);
    return true;
}

} // namespace km::ui
