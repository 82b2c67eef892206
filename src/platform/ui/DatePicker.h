#pragma once
#include "Control.h"
#include "platform/runtime/Date.h"
#include <functional>

namespace km::ui {

/// A date chooser; starts on today's date.
class DatePicker : public Control {
public:
    DatePicker(Form& owner, std::string name);
    DatePicker(Frame& container, std::string name);

    rt::Date value() const { return m_value; }
    /// Sets the date; runs onChange when it differs from the old one.
    void setValue(rt::Date value);

    std::function<void()> onChange;

private:
    rt::Date m_value;
};

} // namespace km::ui
