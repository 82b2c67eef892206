#include "DatePicker.h"

namespace km::ui {

DatePicker::DatePicker(Form& owner, std::string name)
    : Control(owner, ControlKind::DatePicker, std::move(name), {}), m_value(rt::Date::today()) {}

DatePicker::DatePicker(Frame& container, std::string name)
    : Control(container, ControlKind::DatePicker, std::move(name), {}), m_value(rt::Date::today()) {}

void DatePicker::setValue(rt::Date value) {
    if (m_value == value) {
        return;
    }
    m_value = value;
    changed(Property::Value);
    if (onChange) {
        onChange();
    }
}

} // namespace km::ui
