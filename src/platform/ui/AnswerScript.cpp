#include "AnswerScript.h"
#include "MessageBoxStyle.h"
#include "ScriptLexer.h"
#include "host/HostColours.h"
#include "platform/runtime/Text.h"
#include <charconv>
#include <fstream>
#include <sstream>

namespace km::ui {

namespace {

bool isIndented(std::string_view line) {
    return !line.empty() && (line.front() == ' ' || line.front() == '\t');
}

bool isCommentOrEmpty(std::string_view line) {
    std::string_view trimmed = ScriptLexer::trim(line);
    return trimmed.empty() || trimmed.front() == '#';
}

std::optional<long long> wholeNumber(std::string_view text, int base = 10) {
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The single operand of a top-level line ("msgbox yes"): exactly one token after the keyword.
const ScriptToken& singleOperand(const std::vector<ScriptToken>& tokens, const rt::SourcePosition& position,
                                 std::string_view expected) {
    if (tokens.size() < 2) {
        throw ScriptError(position, "'" + tokens[0].text + "' needs " + std::string(expected));
    }
    if (tokens.size() > 2) {
        throw ScriptError(position,
                          "unexpected '" + tokens[2].text + "' after '" + tokens[0].text + " " + tokens[1].text + "'");
    }
    return tokens[1];
}

MessageAnswer messageAnswer(const ScriptToken& token, const rt::SourcePosition& position) {
    if (!token.quoted && rt::equalsNoCase(token.text, "default")) {
        return {0, position};
    }
    if (std::optional<int> value = MessageBoxStyle::answerFromName(token.text)) {
        return {*value, position};
    }
    throw ScriptError(position, "unknown message-box answer '" + token.text +
                                    "' (expected ok, cancel, yes, no, abort, retry, ignore, default or 1 to 7)");
}

InputAnswer inputAnswer(const ScriptToken& token, const rt::SourcePosition& position) {
    if (!token.quoted && rt::equalsNoCase(token.text, "cancel")) {
        return {InputAnswer::Kind::Cancel, {}, position};
    }
    if (!token.quoted && rt::equalsNoCase(token.text, "default")) {
        return {InputAnswer::Kind::Default, {}, position};
    }
    return {InputAnswer::Kind::Text, token.text, position};
}

ColourAnswer colourAnswer(const ScriptToken& token, const rt::SourcePosition& position) {
    if (!token.quoted && rt::equalsNoCase(token.text, "cancel")) {
        return {ColourAnswer::Kind::Cancel, 0, position};
    }
    if (!token.quoted && rt::equalsNoCase(token.text, "default")) {
        return {ColourAnswer::Kind::Default, 0, position};
    }
    if (std::optional<rt::Long> colour = AnswerScript::colourFromText(token.text)) {
        return {ColourAnswer::Kind::Colour, *colour, position};
    }
    throw ScriptError(position, "bad colour '" + token.text +
                                    "' (expected a colour number 0 to 16777215, #RRGGBB, cancel or default)");
}

int statusLineCount(const ScriptToken& token, const rt::SourcePosition& position) {
    std::optional<long long> count = token.quoted ? std::nullopt : wholeNumber(token.text);
    if (!count || *count < 0 || *count > 1000000000) {
        throw ScriptError(position, "bad count '" + token.text + "' (expected a number of status lines, 0 or more)");
    }
    return static_cast<int>(*count);
}

} // namespace

std::optional<rt::Long> AnswerScript::colourFromText(std::string_view text) {
    text = ScriptLexer::trim(text);
    if (text.size() == 7 && text.front() == '#') {
        std::optional<long long> rgb = wholeNumber(text.substr(1), 16);
        if (!rgb || *rgb < 0) {
            return std::nullopt;
        }
        long long red = (*rgb >> 16) & 0xFF, green = (*rgb >> 8) & 0xFF, blue = *rgb & 0xFF;
        return static_cast<rt::Long>(red + 256 * green + 65536 * blue);
    }
    std::optional<long long> number = wholeNumber(text);
    if (!number || *number < 0 || *number > host::colour::maximum) {
        return std::nullopt;
    }
    return static_cast<rt::Long>(*number);
}

AnswerScript AnswerScript::parse(std::istream& in, const std::string& source) {
    AnswerScript script;
    std::string line;
    rt::SourcePosition position{source, 0};
    FormScript* openBlock = nullptr;
    while (std::getline(in, line)) {
        ++position.line;
        if (position.line == 1 && line.starts_with("\xEF\xBB\xBF")) {
            line.erase(0, 3);
        }
        if (isCommentOrEmpty(line)) {
            continue;
        }
        if (openBlock != nullptr && isIndented(line)) {
            for (FormAction& action : FormAction::parseList(line, position)) {
                openBlock->actions.push_back(std::move(action));
            }
            continue;
        }
        if (isIndented(line)) {
            throw ScriptError(position, "indented line outside a 'form NAME:' block");
        }
        openBlock = script.parseLine(line, position);
    }
    return script;
}

AnswerScript AnswerScript::parseText(std::string_view text, const std::string& source) {
    std::istringstream in{std::string(text)};
    return parse(in, source);
}

AnswerScript AnswerScript::parseFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw ScriptError({path, 0}, "cannot read the answers file '" + path + "'");
    }
    return parse(in, path);
}

FormScript* AnswerScript::parseLine(std::string_view line, const rt::SourcePosition& position) {
    std::size_t colon = ScriptLexer::findOutsideQuotes(line, ':');
    std::vector<ScriptToken> head = ScriptLexer::tokenize(line.substr(0, colon), position);
    std::string keyword = head.empty() || head[0].quoted ? std::string() : rt::LCase(head[0].text);
    if (keyword == "form") {
        return parseFormLine(line.substr(line.find_first_not_of(" \t") + 4), position);
    }
    std::vector<ScriptToken> tokens = ScriptLexer::tokenize(line, position);
    if (keyword == "msgbox") {
        messageAnswers.push_back(messageAnswer(singleOperand(tokens, position, "an answer such as yes"), position));
    } else if (keyword == "input") {
        inputAnswers.push_back(inputAnswer(singleOperand(tokens, position, "a \"text\", cancel or default"), position));
    } else if (keyword == "colour" || keyword == "color") {
        colourAnswers.push_back(colourAnswer(singleOperand(tokens, position, "a colour number"), position));
    } else if (keyword == "cancel-status-after") {
        cancelStatusAfter = statusLineCount(singleOperand(tokens, position, "a number of status lines"), position);
    } else {
        throw ScriptError(position, "unknown line '" + std::string(ScriptLexer::trim(line)) +
                                        "' (expected msgbox, input, colour, cancel-status-after or form)");
    }
    return nullptr;
}

// "form NAME: actions", or "form NAME:" opening a block of indented action lines (answered then).
FormScript* AnswerScript::parseFormLine(std::string_view rest, const rt::SourcePosition& position) {
    std::size_t colon = ScriptLexer::findOutsideQuotes(rest, ':');
    if (colon == std::string_view::npos) {
        throw ScriptError(position, "missing ':' after the form name (expected 'form NAME: actions')");
    }
    std::vector<ScriptToken> name = ScriptLexer::tokenize(rest.substr(0, colon), position);
    if (name.size() != 1) {
        throw ScriptError(position, name.empty() ? "missing form name (expected 'form NAME: actions')"
                                                 : "a form name is one word, not '" +
                                                       std::string(ScriptLexer::trim(rest.substr(0, colon))) + "'");
    }
    std::string_view actions = rest.substr(colon + 1);
    formScripts.push_back({name[0].text, FormAction::parseList(actions, position), position});
    return ScriptLexer::trim(actions).empty() ? &formScripts.back() : nullptr;
}

} // namespace km::ui
