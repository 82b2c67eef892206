#pragma once
#include "ScriptError.h"
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace km::ui {

/// What a user does on a form.
enum class ActionKind {
    Select,   ///< select CONTROL ENTRY: click an entry of a list or choose one of a combo box
    Deselect, ///< deselect CONTROL ENTRY: take an entry out of a multiple selection
    Check,    ///< check CONTROL ENTRY: tick an entry's check box
    Uncheck,  ///< uncheck CONTROL ENTRY
    Type,     ///< type CONTROL TEXT: replace the text of a text box or combo box
    Choose,   ///< choose CONTROL: choose an option button
    SetDate,  ///< date CONTROL DATE: set a date picker
    Click,    ///< click BUTTON: press a button, named by control name or caption
    DblClick, ///< dblclick CONTROL [ENTRY]: double-click a list (on that entry)
    Up,       ///< up CONTROL: press the up arrow of an up/down control
    Down,     ///< down CONTROL
    Close,    ///< close: close the window with its close box (unloads it)
    Wait,     ///< wait: do nothing this time
};

/// One user action of a form script, parsed from text such as `type cboNumber "3"`.
///
/// ENTRY is the entry's text (quoted when it holds blanks) or `#n` for the n-th entry counted
/// from 1. TEXT and DATE are one word or one quoted string; DATE takes every date form the
/// runtime recognises ("2024-03-15", "15/03/2024", "15 March 2024").
struct FormAction {
    ActionKind kind = ActionKind::Wait;
    std::string control;
    /// The entry, typed text or date text; empty when the action takes none.
    std::optional<std::string> value;
    /// Set for `#n` entries: the 0-based index.
    std::optional<int> entryIndex;
    rt::SourcePosition position;

    /// The action written back as script text.
    std::string text() const;

    /// Parses one statement. ScriptError (with the position) for unknown actions, missing or
    /// surplus words, malformed dates and entry numbers.
    static FormAction parse(std::string_view statement, const rt::SourcePosition& position);
    /// Parses statements separated by ';'.
    static std::vector<FormAction> parseList(std::string_view statements, const rt::SourcePosition& position);
    /// The script name of an action kind ("select", "dblclick" ...).
    static std::string_view keyword(ActionKind kind);
};

} // namespace km::ui
