#pragma once
#include "Control.h"
#include <functional>

namespace km::ui {

/// A push button. Front ends press it only while a user could (see Control::isUsable); the
/// program may press it at any time with click().
class CommandButton : public Control {
public:
    CommandButton(Form& owner, std::string name, std::string caption = {});
    CommandButton(Frame& container, std::string name, std::string caption = {});

    void setCaption(std::string caption) { setCaptionText(std::move(caption)); }
    /// True when \p caption names this button, with or without its '&' access-key marks.
    bool hasCaption(std::string_view caption) const;

    /// Presses the button: runs onClick.
    void click();

    /// The form's cancel button: the one a front end presses for the user's "stop" (Esc, Ctrl-C).
    bool cancel() const { return m_cancel; }
    void setCancel(bool cancel) { m_cancel = cancel; }

    std::function<void()> onClick;

private:
    bool m_cancel = false;
};

} // namespace km::ui
