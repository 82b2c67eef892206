#pragma once
#include "Control.h"
#include <functional>

namespace km::ui {

/// One choice of a group: the option buttons of the same container (a frame, or the form for
/// those placed on it directly). Choosing one clears the others of its group.
class OptionButton : public Control {
public:
    OptionButton(Form& owner, std::string name, std::string caption = {});
    OptionButton(Frame& container, std::string name, std::string caption = {});

    void setCaption(std::string caption) { setCaptionText(std::move(caption)); }

    bool value() const { return m_value; }
    /// True chooses this option, clears the rest of its group and runs onClick, also when it was
    /// already chosen (handlers that mirror the choice in a flag can rely on being told). False
    /// only clears it, without an event.
    void setValue(bool value);

    std::function<void()> onClick;

private:
    void clearOthersInGroup();

    bool m_value = false;
};

} // namespace km::ui
