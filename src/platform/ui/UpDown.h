#pragma once
#include "Control.h"
#include <functional>

namespace km::ui {

/// A pair of arrow buttons (a spin control) that only reports which arrow was pressed.
class UpDown : public Control {
public:
    UpDown(Form& owner, std::string name);
    UpDown(Frame& container, std::string name);

    /// Presses the up arrow: runs onUpClick.
    void up();
    /// Presses the down arrow: runs onDownClick.
    void down();

    std::function<void()> onUpClick;
    std::function<void()> onDownClick;
};

} // namespace km::ui
