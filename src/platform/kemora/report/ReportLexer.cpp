#include "ReportLexer.h"
#include <cassert>

namespace km::kemora {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Texts in messages are cut so that a runaway token does not flood the message.
std::string shortened(const std::string& text) {
    constexpr size_t limit = 40;
    if (text.size() <= limit) {
        return text;
    }
    size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut; // never split a UTF-8 character
    }
    return text.substr(0, cut) + "...";
}

} // namespace

bool ReportToken::isWord(std::string_view keyword) const {
    if (kind != TokenKind::Word || text.size() != keyword.size()) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        if (upper(text[i]) != upper(keyword[i])) {
            return false;
        }
    }
    return true;
}

std::string ReportToken::describe() const {
    switch (kind) {
    case TokenKind::End:
        return "the end of the script";
    case TokenKind::String:
        return "\"" + shortened(text) + "\"";
    case TokenKind::LeftBrace:
    case TokenKind::RightBrace:
    case TokenKind::Comma:
    case TokenKind::Equal:
    case TokenKind::NotEqual:
    case TokenKind::Less:
    case TokenKind::Greater:
    case TokenKind::LessEqual:
    case TokenKind::GreaterEqual:
        return "'" + text + "'";
    default:
        return shortened(text);
    }
}

ReportLexer::ReportLexer(std::string_view script) : m_text(script) {
    if (m_text.substr(0, 3) == "\xEF\xBB\xBF") {
        m_offset = 3;
    }
}

const ReportToken& ReportLexer::peek() {
    if (!m_peeked) {
        m_peeked = scan();
    }
    return *m_peeked;
}

ReportToken ReportLexer::next() {
    if (m_peeked) {
        ReportToken token = std::move(*m_peeked);
        m_peeked.reset();
        return token;
    }
    return scan();
}

std::string ReportLexer::rawUntil(char stop) {
    assert(!m_peeked && "rawUntil needs the lexer positioned after the last consumed token");
    const size_t start = m_offset;
    while (!atEnd() && current() != stop) {
        advance();
    }
    return std::string(m_text.substr(start, m_offset - start));
}

char ReportLexer::lookahead(size_t distance) const {
    return m_offset + distance < m_text.size() ? m_text[m_offset + distance] : '\0';
}

void ReportLexer::advance() {
    const auto byte = static_cast<unsigned char>(m_text[m_offset++]);
    if (byte == '\n') {
        ++m_pos.line;
        m_pos.column = 1;
    } else if ((byte & 0xC0) != 0x80) {
        ++m_pos.column; // continuation bytes of a UTF-8 character take no column of their own
    }
}

void ReportLexer::skipBlanks() {
    while (!atEnd() && isBlank(current())) {
        advance();
    }
}

ReportToken ReportLexer::scan() {
    skipBlanks();
    if (atEnd()) {
        return ReportToken{TokenKind::End, "", m_pos};
    }
    const char c = current();
    if (c == '"') {
        return scanString();
    }
    if (isDigit(c) || (c == '-' && isDigit(lookahead(1)))) {
        return scanNumber();
    }
    if (isLetter(c)) {
        return scanWord();
    }
    if (c == '#') {
        return scanPlaceholder();
    }
    return scanOperator();
}

ReportToken ReportLexer::scanString() {
    ReportToken token{TokenKind::String, "", m_pos};
    advance(); // the opening quote
    for (;;) {
        if (atEnd() || current() == '\n' || current() == '\r') {
            throwReportError(token.pos, "a text in double quotes is not closed before the end of its line");
        }
        if (current() == '"') {
            if (lookahead(1) != '"') {
                advance();
                return token;
            }
            advance(); // a doubled quote stands for one quote character
        }
        token.text += current();
        advance();
    }
}

ReportToken ReportLexer::scanNumber() {
    ReportToken token{TokenKind::Number, "", m_pos};
    const size_t start = m_offset;
    if (current() == '-') {
        advance();
    }
    while (!atEnd() && isDigit(current())) {
        advance();
    }
    if (!atEnd() && current() == '.' && isDigit(lookahead(1))) {
        advance();
        while (!atEnd() && isDigit(current())) {
            advance();
        }
    }
    token.text = std::string(m_text.substr(start, m_offset - start));
    return token;
}

ReportToken ReportLexer::scanWord() {
    ReportToken token{TokenKind::Word, "", m_pos};
    const size_t start = m_offset;
    while (!atEnd() && (isLetter(current()) || isDigit(current()))) {
        advance();
    }
    token.text = std::string(m_text.substr(start, m_offset - start));
    return token;
}

ReportToken ReportLexer::scanPlaceholder() {
    size_t length = 1;
    while (isLetter(lookahead(length)) || isDigit(lookahead(length))) {
        ++length;
    }
    if (length == 1 || lookahead(length) != '#') {
        unexpectedCharacter();
    }
    ReportToken token{TokenKind::Placeholder, std::string(m_text.substr(m_offset, length + 1)), m_pos};
    for (size_t i = 0; i <= length; ++i) {
        advance();
    }
    return token;
}

ReportToken ReportLexer::scanOperator() {
    ReportToken token{TokenKind::End, std::string(1, current()), m_pos};
    switch (current()) {
    case '{':
        token.kind = TokenKind::LeftBrace;
        break;
    case '}':
        token.kind = TokenKind::RightBrace;
        break;
    case ',':
        token.kind = TokenKind::Comma;
        break;
    case '=':
        token.kind = TokenKind::Equal;
        break;
    case '<':
        token.kind = lookahead(1) == '='   ? TokenKind::LessEqual
                     : lookahead(1) == '>' ? TokenKind::NotEqual
                                           : TokenKind::Less;
        break;
    case '>':
        token.kind = lookahead(1) == '=' ? TokenKind::GreaterEqual : TokenKind::Greater;
        break;
    default:
        unexpectedCharacter();
    }
    if (token.kind == TokenKind::LessEqual || token.kind == TokenKind::NotEqual ||
        token.kind == TokenKind::GreaterEqual) {
        token.text += lookahead(1);
        advance();
    }
    advance();
    return token;
}

void ReportLexer::unexpectedCharacter() const {
    const auto byte = static_cast<unsigned char>(current());
    if (byte < 0x20 || byte == 0x7F) {
        throwReportError(m_pos, "unexpected control character (code " + std::to_string(byte) + ")");
    }
    // Show a whole UTF-8 character; a byte that starts none is shown by its code.
    const size_t length = byte < 0x80 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 0;
    bool whole = length > 0 && m_offset + length <= m_text.size() && byte < 0xF8;
    for (size_t i = 1; whole && i < length; ++i) {
        whole = (static_cast<unsigned char>(m_text[m_offset + i]) & 0xC0) == 0x80;
    }
    if (!whole) {
        throwReportError(m_pos, "unexpected byte (code " + std::to_string(byte) + ")");
    }
    throwReportError(m_pos, "unexpected character '" + std::string(m_text.substr(m_offset, length)) + "'");
}

} // namespace km::kemora
