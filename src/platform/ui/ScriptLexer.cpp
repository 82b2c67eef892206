#include "ScriptLexer.h"
#include "platform/runtime/Text.h"

namespace km::ui {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Reads a quoted string starting at text[pos] == '"'; leaves pos after the closing quote.
std::string readQuoted(std::string_view text, std::size_t& pos, const rt::SourcePosition& position) {
    std::string value;
    for (++pos; pos < text.size(); ++pos) {
        if (text[pos] != '"') {
            value += text[pos];
            continue;
        }
        if (pos + 1 < text.size() && text[pos + 1] == '"') {
            value += '"';
            ++pos;
            continue;
        }
        ++pos;
        return value;
    }
    throw ScriptError(position, "missing closing '\"' in " + std::string(ScriptLexer::trim(text)));
}

} // namespace

std::vector<ScriptToken> ScriptLexer::tokenize(std::string_view text, const rt::SourcePosition& position) {
    std::vector<ScriptToken> tokens;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (isBlank(text[pos])) {
            ++pos;
            continue;
        }
        if (text[pos] == '"') {
            tokens.push_back({readQuoted(text, pos, position), true});
            continue;
        }
        std::size_t start = pos;
        while (pos < text.size() && !isBlank(text[pos]) && text[pos] != '"') {
            ++pos;
        }
        tokens.push_back({std::string(text.substr(start, pos - start)), false});
    }
    return tokens;
}

std::vector<std::string> ScriptLexer::splitStatements(std::string_view text, const rt::SourcePosition& position) {
    std::vector<std::string> statements;
    std::string current;
    auto flush = [&] {
        if (!trim(current).empty()) {
            statements.push_back(current);
        }
        current.clear();
    };
    std::size_t pos = 0;
    while (pos < text.size()) {
        char c = text[pos];
        if (c == '"') {
            std::size_t start = pos;
            readQuoted(text, pos, position);
            current += text.substr(start, pos - start);
            continue;
        }
        if (c == ';') {
            flush();
        } else {
            current += c;
        }
        ++pos;
    }
    flush();
    return statements;
}

std::size_t ScriptLexer::findOutsideQuotes(std::string_view text, char what) {
    bool inQuotes = false;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (text[pos] == '"') {
            inQuotes = !inQuotes;
        } else if (!inQuotes && text[pos] == what) {
            return pos;
        }
    }
    return std::string_view::npos;
}

std::string_view ScriptLexer::trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string ScriptLexer::quote(std::string_view text) {
    return "\"" + rt::Replace(text, "\"", "\"\"") + "\"";
}

} // namespace km::ui
