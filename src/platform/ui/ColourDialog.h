#pragma once
#include "Control.h"

namespace km::ui {

/// The colour chooser a form keeps at hand. It has no place on the form; showColor() asks the
/// front end and keeps the chosen colour in color(). Cancel leaves color() as it was.
class ColourDialog : public Control {
public:
    ColourDialog(Form& owner, std::string name);

    rt::Long color() const { return m_color; }
    void setColor(rt::Long colour);

    /// Opens the colour dialog on color(); answers true when the user chose a colour.
    bool showColor();

private:
    rt::Long m_color = 0;
};

} // namespace km::ui
