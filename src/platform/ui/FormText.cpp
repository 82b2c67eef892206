#include "FormText.h"
#include "ComboBox.h"
#include "DatePicker.h"
#include "Form.h"
#include "Frame.h"
#include "ListBox.h"
#include "OptionButton.h"
#include "TextBox.h"
#include <cstdio>

namespace km::ui {

namespace {

constexpr std::size_t nameColumn = 24;
constexpr int shownEntries = 50;

std::string padded(const std::string& indent, const std::string& name) {
    std::string cell = indent + name;
    if (cell.size() < nameColumn) {
        cell.append(nameColumn - cell.size(), ' ');
    }
    return cell + " ";
}

std::string entryLine(const std::string& indent, int index, std::string_view marks, const std::string& text) {
    return padded(indent, "") + "  #" + std::to_string(index + 1) + " " + std::string(marks) + text + "\n";
}

std::string moreEntries(const std::string& indent, int count) {
    return count > shownEntries ? padded(indent, "") + "  ... " + std::to_string(count - shownEntries) + " more\n"
                                : std::string();
}

std::string listEntries(const ListBox& list, const std::string& indent) {
    std::string text;
    for (int i = 0; i < list.listCount() && i < shownEntries; ++i) {
        std::string marks = list.selected(i) ? "> " : "  ";
        if (list.style() == ListStyle::CheckBox) {
            marks += list.checked(i) ? "[x] " : "[ ] ";
        }
        text += entryLine(indent, i, marks, list.list(i));
    }
    return text + moreEntries(indent, list.listCount());
}

std::string comboEntries(const ComboBox& combo, const std::string& indent) {
    std::string text;
    for (int i = 0; i < combo.listCount() && i < shownEntries; ++i) {
        text += entryLine(indent, i, combo.listIndex() == i ? "> " : "  ", combo.list(i));
    }
    return text + moreEntries(indent, combo.listCount());
}

std::string textBoxValue(const TextBox& box) {
    std::string value = "[" + box.text() + "]";
    if (box.locked()) {
        value += " (read-only)";
    }
    if (box.backColor() != TextBox::white) {
        value += " colour " + std::to_string(box.backColor()) + " " + FormText::colourText(box.backColor());
    }
    return value;
}

// The one-line value shown after a control's name; entries follow on their own lines.
std::string valueOf(const Control& control) {
    switch (control.kind()) {
    case ControlKind::Label:
        return withoutAccessKeys(control.caption());
    case ControlKind::TextBox:
        return textBoxValue(static_cast<const TextBox&>(control));
    case ControlKind::ComboBox:
        return "[" + static_cast<const ComboBox&>(control).text() + "]";
    case ControlKind::ListBox:
        return static_cast<const ListBox&>(control).listCount() == 0 ? "(empty list)" : "";
    case ControlKind::OptionButton:
        return (static_cast<const OptionButton&>(control).value() ? "(*) " : "( ) ") +
               withoutAccessKeys(control.caption());
    case ControlKind::CommandButton:
        return "<" + withoutAccessKeys(control.caption()) + ">";
    case ControlKind::Frame:
        return "-- " + withoutAccessKeys(control.caption()) + " --";
    case ControlKind::DatePicker:
        return static_cast<const DatePicker&>(control).value().shortText();
    case ControlKind::UpDown:
        return "<up> <down>";
    case ControlKind::ColourDialog:
        return "";
    }
    return "";
}

void renderControls(const Form& form, const Frame* container, const std::string& indent, std::string& text) {
    for (const Control* control : form.controls()) {
        if (control->container() != container || !control->visible()) {
            continue;
        }
        if (control->kind() == ControlKind::ColourDialog) {
            continue;
        }
        if (control->kind() == ControlKind::Label && control->caption().empty()) {
            continue;
        }
        std::string line = padded(indent, control->name()) + valueOf(*control);
        if (!control->enabled()) {
            line += " (disabled)";
        }
        if (!control->toolTipText().empty()) {
            line += "  - " + control->toolTipText();
        }
        text += line + "\n";
        if (control->kind() == ControlKind::ListBox) {
            text += listEntries(static_cast<const ListBox&>(*control), indent);
        } else if (control->kind() == ControlKind::ComboBox) {
            text += comboEntries(static_cast<const ComboBox&>(*control), indent);
        } else if (control->kind() == ControlKind::Frame) {
            renderControls(form, static_cast<const Frame*>(control), indent + "  ", text);
        }
    }
}

} // namespace

std::string FormText::render(const Form& form) {
    std::string text = "== " + form.caption() + " == (" + form.name() + (form.enabled() ? "" : ", disabled") + ")\n";
    renderControls(form, nullptr, "  ", text);
    return text;
}

std::string FormText::colourText(long colour) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02X%02X%02X", static_cast<unsigned>(colour & 0xFF),
                  static_cast<unsigned>((colour >> 8) & 0xFF), static_cast<unsigned>((colour >> 16) & 0xFF));
    return hex;
}

} // namespace km::ui
