#pragma once
#include "DiagnosticCollector.h"
#include "Metamodel.h"
#include <string>
#include <string_view>
#include <vector>

namespace km::kemora {

enum class TokenKind { Word, Number, Text, LeftBrace, RightBrace, Comma, Directive, Invalid, End };

/// One token of a property file or declarations file.
struct PropertyFileToken {
    TokenKind kind = TokenKind::End;
    /// Word: as written; Number: the digits; Text: the contents without quotes, escapes resolved;
    /// Directive: its name in lower case ("includex", "ifdef", ...); Invalid: what was found.
    std::string text;
    Long number = 0;
    /// Directives: the argument (a file name or a switch name); empty when it is missing.
    std::string argument;
    /// Directives: false when the line was malformed (already reported).
    bool valid = true;
    int line = 1;
    int column = 1;

    bool isWord(std::string_view keyword) const; ///< a word equal to the keyword, without regard to case
    std::string describe() const;                ///< the token as a "found ..." message shows it
};

/// Splits one file into tokens. Lexical problems are reported to the diagnostics and answered as
/// an Invalid token, so that the parser drops the declaration they occur in; the lexer itself
/// always goes on after the faulty character, string or number.
class PropertyFileLexer {
public:
    enum class Directives { Recognised, Rejected };

    PropertyFileLexer(std::string fileName, std::string_view text, DiagnosticCollector& diagnostics,
                      Directives directives = Directives::Recognised);

    /// The next token; End (repeatedly) at the end of the text.
    PropertyFileToken next();
    /// While quiet, lexical problems are not reported (used in sections switched off by #ifdef).
    void setQuiet(bool quiet) { m_quiet = quiet; }
    const std::string& fileName() const { return m_fileName; }

private:
    bool atEnd() const { return m_offset >= m_text.size(); }
    char peek(size_t ahead = 0) const;
    void advance();
    void skipBlanksAndComments();
    void skipToEndOfLine();
    PropertyFileToken makeToken(TokenKind kind) const;
    PropertyFileToken invalid(PropertyFileToken token, const std::string& expected, const std::string& found);
    void report(int line, int column, const std::string& message);

    PropertyFileToken lexWord();
    PropertyFileToken lexNumber();
    PropertyFileToken lexText();
    PropertyFileToken lexDirective();
    PropertyFileToken lexStrayCharacter();
    bool lexDirectiveArgument(PropertyFileToken& token);
    void finishDirectiveLine(PropertyFileToken& token);

    std::string m_fileName;
    std::string_view m_text;
    DiagnosticCollector& m_diagnostics;
    Directives m_directives;
    size_t m_offset = 0;
    int m_line = 1;
    int m_column = 1;
    bool m_atLineStart = true;
    bool m_quiet = false;
};

} // namespace km::kemora
