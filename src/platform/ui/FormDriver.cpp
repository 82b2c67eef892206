#include "FormDriver.h"
#include "ComboBox.h"
#include "CommandButton.h"
#include "DatePicker.h"
#include "Form.h"
#include "ListBox.h"
#include "OptionButton.h"
#include "ScriptLexer.h"
#include "TextBox.h"
#include "UpDown.h"
#include "platform/runtime/Text.h"

namespace km::ui {

namespace {

std::string_view kindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return "label";
    case ControlKind::TextBox:
        return "text box";
    case ControlKind::ComboBox:
        return "combo box";
    case ControlKind::ListBox:
        return "list";
    case ControlKind::OptionButton:
        return "option button";
    case ControlKind::CommandButton:
        return "button";
    case ControlKind::Frame:
        return "frame";
    case ControlKind::DatePicker:
        return "date picker";
    case ControlKind::UpDown:
        return "up/down control";
    case ControlKind::ColourDialog:
        return "colour dialog";
    }
    return "control";
}

[[noreturn]] void fail(const FormAction& action, const std::string& message) {
    throw ScriptError(action.position, message + " (in '" + action.text() + "')");
}

void requireKind(const Control& control, const FormAction& action, std::initializer_list<ControlKind> kinds) {
    for (ControlKind kind : kinds) {
        if (control.kind() == kind) {
            return;
        }
    }
    fail(action, "'" + control.name() + "' is a " + std::string(kindName(control.kind())) + ", '" +
                     std::string(FormAction::keyword(action.kind)) + "' does not apply to it");
}

void requireUsable(const Control& control, const FormAction& action) {
    if (!control.form().visible()) {
        fail(action, "the window '" + control.form().name() + "' is not shown");
    }
    if (!control.isShown()) {
        fail(action, "'" + control.name() + "' is not shown");
    }
    if (!control.isUsable()) {
        fail(action, "'" + control.name() + "' is disabled");
    }
}

template <class Box> std::string entryList(const Box& box) {
    const int shownEntries = 10;
    std::string entries;
    for (int i = 0; i < box.listCount() && i < shownEntries; ++i) {
        entries += (i == 0 ? "" : ", ") + ScriptLexer::quote(box.list(i));
    }
    if (box.listCount() > shownEntries) {
        entries += ", ...";
    }
    return entries.empty() ? "the list is empty" : "entries: " + entries;
}

// The entry an action names: #n, the exact text, else the text without regard to case.
template <class Box> int entryIndex(const Box& box, const FormAction& action) {
    if (action.entryIndex) {
        if (*action.entryIndex >= box.listCount()) {
            fail(action, "'" + box.name() + "' has no entry #" + std::to_string(*action.entryIndex + 1) + "; " +
                             entryList(box));
        }
        return *action.entryIndex;
    }
    const std::string& text = action.value.value_or(std::string());
    int index = box.findItem(text);
    for (int i = 0; index < 0 && i < box.listCount(); ++i) {
        if (rt::equalsNoCase(box.list(i), text)) {
            index = i;
        }
    }
    if (index < 0) {
        fail(action, "'" + box.name() + "' has no entry " + ScriptLexer::quote(text) + "; " + entryList(box));
    }
    return index;
}

void select(Control& control, const FormAction& action) {
    requireKind(control, action, {ControlKind::ListBox, ControlKind::ComboBox});
    if (control.kind() == ControlKind::ComboBox) {
        auto& combo = static_cast<ComboBox&>(control);
        combo.choose(entryIndex(combo, action));
        return;
    }
    auto& list = static_cast<ListBox&>(control);
    list.clickItem(entryIndex(list, action));
}

void deselect(Control& control, const FormAction& action) {
    requireKind(control, action, {ControlKind::ListBox});
    auto& list = static_cast<ListBox&>(control);
    list.unclickItem(entryIndex(list, action));
}

void check(Control& control, const FormAction& action, bool checked) {
    requireKind(control, action, {ControlKind::ListBox});
    auto& list = static_cast<ListBox&>(control);
    if (list.style() != ListStyle::CheckBox) {
        fail(action, "the list '" + list.name() + "' has no check boxes");
    }
    list.setChecked(entryIndex(list, action), checked);
}

void type(Control& control, const FormAction& action) {
    requireKind(control, action, {ControlKind::TextBox, ControlKind::ComboBox});
    std::string text = action.value.value_or(std::string());
    if (control.kind() == ControlKind::TextBox) {
        auto& box = static_cast<TextBox&>(control);
        if (box.locked()) {
            fail(action, "the text box '" + box.name() + "' is read-only");
        }
        box.setText(std::move(text));
        return;
    }
    auto& combo = static_cast<ComboBox&>(control);
    if (combo.style() == ComboStyle::DropDownList) {
        fail(action, "'" + combo.name() + "' only takes one of its entries: use select; " + entryList(combo));
    }
    combo.setText(std::move(text));
}

void dblClick(Control& control, const FormAction& action) {
    requireKind(control, action, {ControlKind::ListBox});
    auto& list = static_cast<ListBox&>(control);
    if (action.value || action.entryIndex) {
        list.clickItem(entryIndex(list, action));
    }
    list.dblClick();
}

void click(Control& control, const FormAction& action) {
    requireKind(control, action, {ControlKind::CommandButton, ControlKind::OptionButton});
    if (control.kind() == ControlKind::OptionButton) {
        static_cast<OptionButton&>(control).setValue(true);
    } else {
        static_cast<CommandButton&>(control).click();
    }
}

} // namespace

Control& FormDriver::target(Form& form, const FormAction& action) {
    if (Control* named = form.findControl(action.control)) {
        return *named;
    }
    if (action.kind == ActionKind::Click) {
        for (Control* control : form.controls()) {
            if (control->kind() == ControlKind::CommandButton &&
                static_cast<CommandButton*>(control)->hasCaption(action.control)) {
                return *control;
            }
        }
    }
    std::string known;
    for (Control* control : form.controls()) {
        known += (known.empty() ? "" : ", ") + control->name();
    }
    fail(action, "the window '" + form.name() + "' has no control '" + action.control + "' (controls: " + known + ")");
}

void FormDriver::apply(Form& form, const FormAction& action) {
    if (action.kind == ActionKind::Wait) {
        return;
    }
    if (action.kind == ActionKind::Close) {
        form.unload();
        return;
    }
    Control& control = target(form, action);
    requireUsable(control, action);
    switch (action.kind) {
    case ActionKind::Select:
        return select(control, action);
    case ActionKind::Deselect:
        return deselect(control, action);
    case ActionKind::Check:
    case ActionKind::Uncheck:
        return check(control, action, action.kind == ActionKind::Check);
    case ActionKind::Type:
        return type(control, action);
    case ActionKind::Choose:
        requireKind(control, action, {ControlKind::OptionButton});
        return static_cast<OptionButton&>(control).setValue(true);
    case ActionKind::SetDate:
        requireKind(control, action, {ControlKind::DatePicker});
        return static_cast<DatePicker&>(control).setValue(rt::CDate(action.value.value_or(std::string())));
    case ActionKind::Click:
        return click(control, action);
    case ActionKind::DblClick:
        return dblClick(control, action);
    case ActionKind::Up:
    case ActionKind::Down:
        requireKind(control, action, {ControlKind::UpDown});
        if (action.kind == ActionKind::Up) {
            return static_cast<UpDown&>(control).up();
        }
        return static_cast<UpDown&>(control).down();
    case ActionKind::Close:
    case ActionKind::Wait:
        return;
    }
}

} // namespace km::ui
