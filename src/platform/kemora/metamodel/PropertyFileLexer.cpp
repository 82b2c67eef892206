#include "PropertyFileLexer.h"
#include <cstdio>

namespace km::kemora {

namespace {

constexpr Long largestNumber = 2147483647;
constexpr size_t longestShownText = 40;

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isWordCharacter(char c) {
    return isLetter(c) || isDigit(c);
}
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}
bool isContinuationByte(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

std::string asciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

// Length of the UTF-8 sequence starting at text[0], or 0 when it is not well formed (overlong
// forms, surrogates and values above U+10FFFF included).
size_t utf8SequenceLength(std::string_view text) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || text.size() < length) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if (!isContinuationByte(byte(i))) {
            return 0;
        }
    }
    if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) > 0x9F) || (lead == 0xF0 && byte(1) < 0x90) ||
        (lead == 0xF4 && byte(1) > 0x8F)) {
        return 0;
    }
    return length;
}

std::string codePointName(unsigned char c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
    return buffer;
}

std::string byteName(unsigned char c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "byte 0x%02X", static_cast<unsigned>(c));
    return buffer;
}

// How a "found ..." message names the character at the start of text.
std::string describeCharacter(std::string_view text) {
    if (text.empty()) {
        return "the end of the file";
    }
    unsigned char c = static_cast<unsigned char>(text[0]);
    if (c == '\n') {
        return "the end of the line";
    }
    if (c < 0x20 || c == 0x7F) {
        return codePointName(c);
    }
    size_t length = utf8SequenceLength(text);
    if (length == 0) {
        return byteName(c);
    }
    return "'" + std::string(text.substr(0, length)) + "'";
}

std::string shortened(const std::string& text) {
    if (text.size() <= longestShownText) {
        return text;
    }
    size_t cut = longestShownText;
    while (cut > 0 && isContinuationByte(static_cast<unsigned char>(text[cut]))) {
        --cut;
    }
    return text.substr(0, cut) + "...";
}

} // namespace

bool PropertyFileToken::isWord(std::string_view keyword) const {
    return kind == TokenKind::Word && asciiLower(text) == asciiLower(keyword);
}

std::string PropertyFileToken::describe() const {
    switch (kind) {
    case TokenKind::Word:
        return "'" + shortened(text) + "'";
    case TokenKind::Number:
        return text;
    case TokenKind::Text:
        return "\"" + shortened(text) + "\"";
    case TokenKind::LeftBrace:
        return "'{'";
    case TokenKind::RightBrace:
        return "'}'";
    case TokenKind::Comma:
        return "','";
    case TokenKind::Directive:
        return "'#" + text + "'";
    case TokenKind::Invalid:
        return text;
    case TokenKind::End:
        break;
    }
    return "the end of the file";
}

PropertyFileLexer::PropertyFileLexer(std::string fileName, std::string_view text, DiagnosticCollector& diagnostics,
                                     Directives directives)
    : m_fileName(std::move(fileName)), m_text(text), m_diagnostics(diagnostics), m_directives(directives) {
    if (m_text.substr(0, 3) == "\xEF\xBB\xBF") {
        m_offset = 3; // byte order mark
    }
}

char PropertyFileLexer::peek(size_t ahead) const {
    return m_offset + ahead < m_text.size() ? m_text[m_offset + ahead] : '\0';
}

void PropertyFileLexer::advance() {
    char c = m_text[m_offset++];
    if (c == '\n') {
        ++m_line;
        m_column = 1;
        m_atLineStart = true;
    } else if (!isContinuationByte(static_cast<unsigned char>(c))) {
        ++m_column;
    }
}

void PropertyFileLexer::skipToEndOfLine() {
    while (!atEnd() && peek() != '\n') {
        advance();
    }
}

void PropertyFileLexer::skipBlanksAndComments() {
    while (!atEnd()) {
        char c = peek();
        if (isBlank(c) || c == '\n') {
            advance();
        } else if (c == '/' && peek(1) == '/') {
            skipToEndOfLine();
        } else {
            return;
        }
    }
}

PropertyFileToken PropertyFileLexer::makeToken(TokenKind kind) const {
    PropertyFileToken token;
    token.kind = kind;
    token.line = m_line;
    token.column = m_column;
    return token;
}

void PropertyFileLexer::report(int line, int column, const std::string& message) {
    if (!m_quiet) {
        m_diagnostics.add({m_fileName, line, column}, message);
    }
}

PropertyFileToken PropertyFileLexer::invalid(PropertyFileToken token, const std::string& expected,
                                             const std::string& found) {
    report(token.line, token.column, "expected " + expected + " but found " + found);
    token.kind = TokenKind::Invalid;
    token.text = found;
    return token;
}

PropertyFileToken PropertyFileLexer::next() {
    while (true) {
        skipBlanksAndComments();
        if (atEnd()) {
            return makeToken(TokenKind::End);
        }
        bool lineStart = m_atLineStart;
        m_atLineStart = false;
        char c = peek();
        if (c == '#' && lineStart && m_directives == Directives::Recognised) {
            PropertyFileToken directive = lexDirective();
            if (directive.kind == TokenKind::End) {
                continue; // an unknown directive: reported, its line skipped
            }
            return directive;
        }
        if (isLetter(c)) {
            return lexWord();
        }
        if (isDigit(c)) {
            return lexNumber();
        }
        if (c == '"') {
            return lexText();
        }
        TokenKind punctuation = c == '{'   ? TokenKind::LeftBrace
                                : c == '}' ? TokenKind::RightBrace
                                : c == ',' ? TokenKind::Comma
                                           : TokenKind::Invalid;
        if (punctuation != TokenKind::Invalid) {
            PropertyFileToken token = makeToken(punctuation);
            token.text = std::string(1, c);
            advance();
            return token;
        }
        return lexStrayCharacter();
    }
}

PropertyFileToken PropertyFileLexer::lexWord() {
    PropertyFileToken token = makeToken(TokenKind::Word);
    size_t start = m_offset;
    while (!atEnd() && isWordCharacter(peek())) {
        advance();
    }
    token.text = std::string(m_text.substr(start, m_offset - start));
    return token;
}

PropertyFileToken PropertyFileLexer::lexNumber() {
    PropertyFileToken token = makeToken(TokenKind::Number);
    size_t start = m_offset;
    while (!atEnd() && isWordCharacter(peek())) {
        advance();
    }
    token.text = std::string(m_text.substr(start, m_offset - start));
    long long value = 0;
    for (char c : token.text) {
        if (!isDigit(c)) {
            return invalid(token, "a number", "'" + shortened(token.text) + "'");
        }
        value = value * 10 + (c - '0');
        if (value > largestNumber) {
            return invalid(token, "a number up to 2147483647", shortened(token.text));
        }
    }
    token.number = static_cast<Long>(value);
    return token;
}

PropertyFileToken PropertyFileLexer::lexText() {
    PropertyFileToken token = makeToken(TokenKind::Text);
    advance(); // opening quote
    std::string problem;
    int problemLine = 0, problemColumn = 0;
    while (!atEnd() && peek() != '"' && peek() != '\n') {
        unsigned char c = static_cast<unsigned char>(peek());
        size_t length = utf8SequenceLength(m_text.substr(m_offset));
        if (problem.empty() && (c < 0x20 || c == 0x7F || length == 0)) {
            problem = describeCharacter(m_text.substr(m_offset));
            problemLine = m_line;
            problemColumn = m_column;
        }
        if (c == '\\' && (peek(1) == '"' || peek(1) == '\\')) {
            advance();
            token.text += peek();
            advance();
            continue;
        }
        length = length == 0 ? 1 : length;
        token.text.append(m_text.substr(m_offset, length));
        for (size_t i = 0; i < length; ++i) {
            advance();
        }
    }
    if (atEnd() || peek() != '"') {
        std::string found = describeCharacter(m_text.substr(m_offset));
        PropertyFileToken end = makeToken(TokenKind::Invalid);
        return invalid(end, "'\"' to close the text that starts at column " + std::to_string(token.column), found);
    }
    advance(); // closing quote
    if (!problem.empty()) {
        PropertyFileToken at = token;
        at.line = problemLine;
        at.column = problemColumn;
        return invalid(at, "a printable character in the text", problem);
    }
    return token;
}

PropertyFileToken PropertyFileLexer::lexStrayCharacter() {
    PropertyFileToken token = makeToken(TokenKind::Invalid);
    std::string found = describeCharacter(m_text.substr(m_offset));
    size_t length = utf8SequenceLength(m_text.substr(m_offset));
    for (size_t i = 0; i < (length == 0 ? 1 : length); ++i) {
        advance();
    }
    return invalid(token, "a keyword, a number, a text in double quotes, '{', '}' or ','", found);
}

PropertyFileToken PropertyFileLexer::lexDirective() {
    PropertyFileToken token = makeToken(TokenKind::Directive);
    advance(); // '#'
    size_t start = m_offset;
    while (!atEnd() && isWordCharacter(peek())) {
        advance();
    }
    token.text = asciiLower(m_text.substr(start, m_offset - start));
    if (token.text != "includex" && token.text != "ifdef" && token.text != "ifndef" && token.text != "else" &&
        token.text != "endif") {
        report(token.line, token.column,
               "expected #includex, #ifdef, #ifndef, #else or #endif but found '#" +
                   shortened(std::string(m_text.substr(start, m_offset - start))) + "'");
        skipToEndOfLine();
        return makeToken(TokenKind::End);
    }
    if (token.text == "includex" || token.text == "ifdef" || token.text == "ifndef") {
        token.valid = lexDirectiveArgument(token);
    }
    finishDirectiveLine(token);
    return token;
}

bool PropertyFileLexer::lexDirectiveArgument(PropertyFileToken& token) {
    while (!atEnd() && isBlank(peek())) {
        advance();
    }
    bool wantsFile = token.text == "includex";
    if (wantsFile && peek() == '"') {
        PropertyFileToken name = lexText();
        token.argument = name.text;
        return name.kind == TokenKind::Text; // a faulty name has been reported
    }
    if (!wantsFile && isLetter(peek())) {
        token.argument = lexWord().text;
        return true;
    }
    std::string expected = wantsFile ? "a file name in double quotes" : "a switch name";
    report(m_line, m_column,
           "expected " + expected + " after #" + token.text + " but found " +
               describeCharacter(m_text.substr(m_offset)));
    return false;
}

void PropertyFileLexer::finishDirectiveLine(PropertyFileToken& token) {
    while (!atEnd() && isBlank(peek())) {
        advance();
    }
    bool lineEnds = atEnd() || peek() == '\n' || (peek() == '/' && peek(1) == '/');
    if (!lineEnds && token.valid) {
        report(m_line, m_column,
               "expected the end of the line after #" + token.text + " but found " +
                   describeCharacter(m_text.substr(m_offset)));
    }
    skipToEndOfLine();
}

} // namespace km::kemora
