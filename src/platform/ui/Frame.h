#pragma once
#include "Control.h"
#include <vector>

namespace km::ui {

/// A captioned container: the controls constructed with it as container move, hide and disable
/// with it, and its option buttons form one group.
class Frame : public Control {
public:
    Frame(Form& owner, std::string name, std::string caption = {});
    Frame(Frame& container, std::string name, std::string caption = {});

    void setCaption(std::string caption) { setCaptionText(std::move(caption)); }
    /// The controls directly inside this frame, in declaration order.
    std::vector<Control*> children() const;
};

} // namespace km::ui
