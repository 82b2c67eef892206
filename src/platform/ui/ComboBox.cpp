#include "ComboBox.h"
#include "platform/runtime/RuntimeError.h"

namespace km::ui {

namespace {
constexpr int invalidPropertyValue = 380;
constexpr int textIsReadOnly = 383;
} // namespace

ComboBox::ComboBox(Form& owner, std::string name) : Control(owner, ControlKind::ComboBox, std::move(name), {}) {}

ComboBox::ComboBox(Frame& container, std::string name)
    : Control(container, ControlKind::ComboBox, std::move(name), {}) {}

void ComboBox::addItem(std::string text, int index) {
    m_newIndex = m_items.insert(std::move(text), index);
    if (m_listIndex >= m_newIndex) {
        ++m_listIndex;
    }
    changed(Property::Items);
}

void ComboBox::removeItem(int index) {
    m_items.remove(index);
    if (m_listIndex == index) {
        m_listIndex = -1;
        if (m_style == ComboStyle::DropDownList) {
            assignText({});
        }
    } else if (m_listIndex > index) {
        --m_listIndex;
    }
    changed(Property::Items);
}

void ComboBox::clear() {
    m_items.clear();
    m_listIndex = -1;
    m_newIndex = -1;
    changed(Property::Items);
    assignText({});
}

void ComboBox::setItemData(int index, rt::Long data) {
    m_items.at(index).data = data;
}

void ComboBox::setListIndex(int index) {
    if (index < -1 || index >= listCount()) {
        throw rt::RuntimeError(invalidPropertyValue, "Invalid property value");
    }
    if (index == -1) {
        m_listIndex = -1;
        changed(Property::Selection);
        assignText({});
        return;
    }
    choose(index);
}

void ComboBox::setText(std::string text) {
    int match = m_items.findText(text);
    if (m_style == ComboStyle::DropDownList && match < 0 && !text.empty()) {
        throw rt::RuntimeError(textIsReadOnly, "'Text' property is read-only");
    }
    if (m_listIndex != match) {
        m_listIndex = match;
        changed(Property::Selection);
    }
    assignText(std::move(text));
}

void ComboBox::choose(int index) {
    const std::string& entry = m_items.at(index).text;
    if (m_listIndex != index) {
        m_listIndex = index;
        changed(Property::Selection);
    }
    assignText(entry);
    if (onClick) {
        onClick();
    }
}

void ComboBox::assignText(std::string text) {
    if (m_text == text) {
        return;
    }
    m_text = std::move(text);
    changed(Property::Text);
    if (onChange) {
        onChange();
    }
}

} // namespace km::ui
