#pragma once
#include <string>

namespace km::ui {

class Form;

/// Writes a form as text for the terminal: its caption and name, then its shown controls in
/// declaration order (those of a frame indented under it), each with its name, so that a person
/// knows what to type. Entries of lists and combo boxes are numbered #1, #2 ... for commands;
/// '>' marks selected entries, [x] checked ones, (*) the chosen option.
class FormText {
public:
    static std::string render(const Form& form);
    /// Colour number as "#RRGGBB" (the number is red + 256 green + 65536 blue).
    static std::string colourText(long colour);
};

} // namespace km::ui
