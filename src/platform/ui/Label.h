#pragma once
#include "Control.h"

namespace km::ui {

/// A caption the user reads but cannot change. Every setCaption is reported to the front end, also
/// one that repeats the text: a status label set twice to the same message shows two status lines.
class Label : public Control {
public:
    Label(Form& owner, std::string name, std::string caption = {});
    Label(Frame& container, std::string name, std::string caption = {});

    void setCaption(std::string caption);
};

} // namespace km::ui
