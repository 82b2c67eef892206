#include "TextBox.h"

namespace km::ui {

TextBox::TextBox(Form& owner, std::string name, std::string text)
    : Control(owner, ControlKind::TextBox, std::move(name), {}), m_text(std::move(text)) {}

TextBox::TextBox(Frame& container, std::string name, std::string text)
    : Control(container, ControlKind::TextBox, std::move(name), {}), m_text(std::move(text)) {}

void TextBox::setText(std::string text) {
    if (m_text == text) {
        return;
    }
    m_text = std::move(text);
    changed(Property::Text);
    if (onChange) {
        onChange();
    }
}

void TextBox::setLocked(bool locked) {
    if (m_locked == locked) {
        return;
    }
    m_locked = locked;
    changed(Property::Locked);
}

void TextBox::setBackColor(rt::Long colour) {
    if (m_backColor == colour) {
        return;
    }
    m_backColor = colour;
    changed(Property::BackColor);
}

} // namespace km::ui
