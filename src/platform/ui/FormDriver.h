#pragma once
#include "FormAction.h"

namespace km::ui {

class Control;
class Form;

/// Carries out script actions on a form the way a user would: only on controls a user could
/// reach (shown and enabled, on a visible and enabled form), through the same events a user's
/// click or typing raises. Both front ends use it, so a script and a person at the terminal
/// drive a form alike.
class FormDriver {
public:
    /// Performs \p action on \p form. ScriptError (with the action's position) when the action
    /// does not fit the form: unknown control, wrong kind of control, a control a user could not
    /// reach, an entry that is not in the list, a locked text box. Errors of the form's own
    /// event handlers pass through unchanged.
    static void apply(Form& form, const FormAction& action);

    /// The control an action names: by name, or for `click` also by a button's caption (with or
    /// without its '&' marks). ScriptError when there is none.
    static Control& target(Form& form, const FormAction& action);
};

} // namespace km::ui
