#include "FormAction.h"
#include "ScriptLexer.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/Text.h"
#include <array>
#include <charconv>

namespace km::ui {

namespace {

enum class Operand { None, Entry, OptionalEntry, Text, Date };

struct Grammar {
    ActionKind kind;
    std::string_view keyword;
    bool needsControl;
    Operand operand;
};

constexpr std::array<Grammar, 13> grammar{{
    {ActionKind::Select, "select", true, Operand::Entry},
    {ActionKind::Deselect, "deselect", true, Operand::Entry},
    {ActionKind::Check, "check", true, Operand::Entry},
    {ActionKind::Uncheck, "uncheck", true, Operand::Entry},
    {ActionKind::Type, "type", true, Operand::Text},
    {ActionKind::Choose, "choose", true, Operand::None},
    {ActionKind::SetDate, "date", true, Operand::Date},
    {ActionKind::Click, "click", true, Operand::None},
    {ActionKind::DblClick, "dblclick", true, Operand::OptionalEntry},
    {ActionKind::Up, "up", true, Operand::None},
    {ActionKind::Down, "down", true, Operand::None},
    {ActionKind::Close, "close", false, Operand::None},
    {ActionKind::Wait, "wait", false, Operand::None},
}};

std::string keywordList() {
    std::string list;
    for (const Grammar& rule : grammar) {
        list += (list.empty() ? "" : ", ") + std::string(rule.keyword);
    }
    return list;
}

const Grammar* findRule(std::string_view word) {
    for (const Grammar& rule : grammar) {
        if (rt::equalsNoCase(rule.keyword, word)) {
            return &rule;
        }
    }
    return nullptr;
}

// "#3" names the third entry; answers its 0-based index.
int entryNumber(const ScriptToken& token, const rt::SourcePosition& position) {
    int number = 0;
    std::string_view digits = std::string_view(token.text).substr(1);
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || number < 1) {
        throw ScriptError(position, "bad entry number '" + token.text + "' (expected #1, #2, ...)");
    }
    return number - 1;
}

void readEntry(FormAction& action, const ScriptToken& token) {
    if (!token.quoted && token.text.size() > 1 && token.text.front() == '#') {
        action.entryIndex = entryNumber(token, action.position);
    } else {
        action.value = token.text;
    }
}

void readOperand(FormAction& action, const Grammar& rule, const std::vector<ScriptToken>& tokens) {
    const std::size_t operandAt = 2;
    bool present = tokens.size() > operandAt;
    std::string what = std::string(rule.keyword) + " " + action.control;
    switch (rule.operand) {
    case Operand::None:
        return;
    case Operand::OptionalEntry:
        if (present) {
            readEntry(action, tokens[operandAt]);
        }
        return;
    case Operand::Entry:
        if (!present) {
            throw ScriptError(action.position, "'" + what + "' needs an entry (\"text\" or #number)");
        }
        readEntry(action, tokens[operandAt]);
        return;
    case Operand::Text:
        if (!present) {
            throw ScriptError(action.position, "'" + what + "' needs the text to type (\"\" for none)");
        }
        action.value = tokens[operandAt].text;
        return;
    case Operand::Date:
        if (!present) {
            throw ScriptError(action.position, "'" + what + "' needs a date such as 2024-03-15");
        }
        if (!rt::parseDate(tokens[operandAt].text)) {
            throw ScriptError(action.position,
                              "'" + tokens[operandAt].text + "' is not a date (expected e.g. 2024-03-15)");
        }
        action.value = tokens[operandAt].text;
        return;
    }
}

std::size_t expectedTokens(const Grammar& rule, std::size_t given) {
    std::size_t count = rule.needsControl ? 2 : 1;
    if (rule.operand == Operand::OptionalEntry) {
        return std::min<std::size_t>(std::max(given, count), count + 1);
    }
    return rule.operand == Operand::None ? count : count + 1;
}

} // namespace

std::string_view FormAction::keyword(ActionKind kind) {
    for (const Grammar& rule : grammar) {
        if (rule.kind == kind) {
            return rule.keyword;
        }
    }
    return "?";
}

FormAction FormAction::parse(std::string_view statement, const rt::SourcePosition& position) {
    std::vector<ScriptToken> tokens = ScriptLexer::tokenize(statement, position);
    if (tokens.empty()) {
        throw ScriptError(position, "empty action (expected one of " + keywordList() + ")");
    }
    const Grammar* rule = tokens[0].quoted ? nullptr : findRule(tokens[0].text);
    if (rule == nullptr) {
        throw ScriptError(position, "unknown action '" + tokens[0].text + "' (expected one of " + keywordList() + ")");
    }
    FormAction action;
    action.kind = rule->kind;
    action.position = position;
    if (rule->needsControl) {
        if (tokens.size() < 2) {
            throw ScriptError(position, "'" + std::string(rule->keyword) + "' needs a control name");
        }
        action.control = tokens[1].text;
    }
    readOperand(action, *rule, tokens);
    std::size_t expected = expectedTokens(*rule, tokens.size());
    if (tokens.size() > expected) {
        throw ScriptError(position, "unexpected '" + tokens[expected].text + "' after '" + std::string(rule->keyword) +
                                        (action.control.empty() ? "" : " ") + action.control + "'");
    }
    return action;
}

std::vector<FormAction> FormAction::parseList(std::string_view statements, const rt::SourcePosition& position) {
    std::vector<FormAction> actions;
    for (const std::string& statement : ScriptLexer::splitStatements(statements, position)) {
        actions.push_back(parse(statement, position));
    }
    return actions;
}

std::string FormAction::text() const {
    std::string written(keyword(kind));
    if (!control.empty()) {
        written += " " + control;
    }
    if (entryIndex) {
        written += " #" + std::to_string(*entryIndex + 1);
    } else if (value) {
        written += " " + ScriptLexer::quote(*value);
    }
    return written;
}

} // namespace km::ui
