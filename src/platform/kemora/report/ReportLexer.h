#pragma once
#include "ReportQuery.h"
#include <optional>
#include <string>
#include <string_view>

namespace km::kemora {

enum class TokenKind {
    Word,        ///< a keyword or bare name: letters, digits and '_', starting with a letter or '_'
    Number,      ///< digits with an optional leading '-' and an optional fraction
    String,      ///< a text in double quotes; a doubled quote stands for one quote
    Placeholder, ///< "#NAME#", left in a stored script when it was not replaced before running
    LeftBrace,
    RightBrace,
    Comma,
    Equal,
    NotEqual, ///< <>
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    End,
};

struct ReportToken {
    TokenKind kind = TokenKind::End;
    std::string text; ///< strings: the content without quotes; others: as written
    rt::SourcePosition pos;

    /// True for a word equal to \p keyword without regard to case.
    bool isWord(std::string_view keyword) const;
    /// How an error message names the token: JOIN, "a text", 12, '{', the end of the script.
    std::string describe() const;
};

/// Splits a report script into tokens on demand, so that the parser can read a setting value
/// whose text is not made of tokens (PAGESIZE -1", 0.00) as raw characters.
/// Blanks, tabs, CR and LF separate tokens; a byte-order mark at the start is skipped.
/// Malformed tokens throw HostError ReportSyntax with their line and column.
class ReportLexer {
public:
    explicit ReportLexer(std::string_view script);

    /// The next token without consuming it.
    const ReportToken& peek();
    /// Consumes and answers the next token.
    ReportToken next();
    /// Consumes the characters up to, not including, the next \p stop (or the end of the
    /// script) and answers them. Must not be called while a token is peeked.
    std::string rawUntil(char stop);

private:
    ReportToken scan();
    void skipBlanks();
    void advance();
    bool atEnd() const { return m_offset >= m_text.size(); }
    char current() const { return m_text[m_offset]; }
    char lookahead(size_t distance) const;
    ReportToken scanString();
    ReportToken scanNumber();
    ReportToken scanWord();
    ReportToken scanPlaceholder();
    ReportToken scanOperator();
    [[noreturn]] void unexpectedCharacter() const;

    std::string_view m_text;
    size_t m_offset = 0;
    rt::SourcePosition m_pos{reportScriptName, 1, 1};
    std::optional<ReportToken> m_peeked;
};

} // namespace km::kemora
