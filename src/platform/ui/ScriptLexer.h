#pragma once
#include "ScriptError.h"
#include <string>
#include <string_view>
#include <vector>

namespace km::ui {

/// One word of a script line, or one double-quoted string with its quotes removed.
struct ScriptToken {
    std::string text;
    bool quoted = false;
};

/// Splits answers-file lines and terminal commands. Words are separated by blanks or tabs; a
/// double-quoted string is one token and may hold blanks, ';' and '#'; two double quotes inside
/// it stand for one.
class ScriptLexer {
public:
    /// The tokens of one statement. ScriptError for a string without its closing quote.
    static std::vector<ScriptToken> tokenize(std::string_view text, const rt::SourcePosition& position);
    /// Splits at every ';' outside quoted strings; empty statements are dropped.
    static std::vector<std::string> splitStatements(std::string_view text, const rt::SourcePosition& position);
    /// Position of the first \p what outside quoted strings; npos when there is none.
    static std::size_t findOutsideQuotes(std::string_view text, char what);
    /// The text without leading and trailing blanks, tabs and line-break characters.
    static std::string_view trim(std::string_view text);
    /// The text in double quotes, inner quotes doubled.
    static std::string quote(std::string_view text);
};

} // namespace km::ui
