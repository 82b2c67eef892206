#pragma once
#include "Control.h"
#include "host/HostColours.h"
#include <functional>

namespace km::ui {

/// An editable text. A locked text box shows its text but a user cannot type into it; the
/// program can still set it. The back colour is a colour number (red + 256 green + 65536 blue),
/// so a text box also serves as a colour swatch.
class TextBox : public Control {
public:
    static constexpr rt::Long white = host::colour::white;

    TextBox(Form& owner, std::string name, std::string text = {});
    TextBox(Frame& container, std::string name, std::string text = {});

    const std::string& text() const { return m_text; }
    /// Sets the text; runs onChange when it differs from the old one.
    void setText(std::string text);

    bool locked() const { return m_locked; }
    void setLocked(bool locked);

    rt::Long backColor() const { return m_backColor; }
    void setBackColor(rt::Long colour);

    std::function<void()> onChange;

private:
    std::string m_text;
    bool m_locked = false;
    rt::Long m_backColor = white;
};

} // namespace km::ui
