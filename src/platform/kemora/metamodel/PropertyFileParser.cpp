#include "PropertyFileParser.h"
#include "PropertyFilePreprocessor.h"
#include <algorithm>

namespace km::kemora {

namespace {

const char* const topLevelKeywords[] = {"DEFINITION", "SYMBOL", "DIAGRAM", "EXTEND"};

struct EditTypeWord {
    const char* word;
    EditType type;
};
const EditTypeWord editTypes[] = {{"TEXT", EditType::Text},
                                  {"DATE", EditType::Date},
                                  {"NUMBER", EditType::Number},
                                  {"BOOLEAN", EditType::Boolean},
                                  {"MULTILINE", EditType::MultiLine}};

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

PropertyFileParser::PropertyFileParser(PropertyFilePreprocessor& source, DiagnosticCollector& diagnostics)
    : m_source(source), m_diagnostics(diagnostics) {}

void PropertyFileParser::advance() {
    m_token = m_source.next();
}

rt::SourcePosition PropertyFileParser::here() const {
    return {m_source.fileOfLastToken(), m_token.line, m_token.column};
}

void PropertyFileParser::errorAt(const rt::SourcePosition& pos, const std::string& message) {
    m_diagnostics.add(pos, message);
}

void PropertyFileParser::error(const std::string& expected) {
    // An invalid token has been reported by the lexer already.
    if (m_token.kind != TokenKind::Invalid) {
        errorAt(here(), "expected " + expected + " but found " + m_token.describe());
    }
}

bool PropertyFileParser::atTopLevelKeyword() const {
    return std::any_of(std::begin(topLevelKeywords), std::end(topLevelKeywords),
                       [this](const char* keyword) { return m_token.isWord(keyword); });
}

bool PropertyFileParser::atMemberStart(bool symbolsAllowed) const {
    return m_token.isWord("PROPERTY") || m_token.isWord("LIST") || (symbolsAllowed && m_token.isWord("SYMBOLS"));
}

void PropertyFileParser::skipToTopLevel() {
    while (m_token.kind != TokenKind::End && !atTopLevelKeyword()) {
        advance();
    }
}

void PropertyFileParser::skipToMember(bool symbolsAllowed) {
    while (m_token.kind != TokenKind::End && m_token.kind != TokenKind::RightBrace && !atTopLevelKeyword() &&
           !atMemberStart(symbolsAllowed)) {
        advance();
    }
}

std::vector<PropertyFileDeclaration> PropertyFileParser::parse() {
    m_declarations.clear();
    advance();
    while (m_token.kind != TokenKind::End) {
        if (!atTopLevelKeyword()) {
            error("DEFINITION, SYMBOL, DIAGRAM or EXTEND");
            advance();
            skipToTopLevel();
        } else if (!parseDeclaration()) {
            skipToTopLevel();
        }
    }
    return std::move(m_declarations);
}

bool PropertyFileParser::parseDeclaration() {
    PropertyFileDeclaration declaration;
    declaration.pos = here();
    if (m_token.isWord("EXTEND")) {
        declaration.extend = true;
        advance();
        if (!m_token.isWord("DEFINITION") && !m_token.isWord("SYMBOL") && !m_token.isWord("DIAGRAM")) {
            error("DEFINITION, SYMBOL or DIAGRAM after EXTEND");
            return false;
        }
    }
    declaration.kind = m_token.isWord("DEFINITION") ? Kind::Definition
                       : m_token.isWord("SYMBOL")   ? Kind::Symbol
                                                    : Kind::Diagram;
    advance();
    if (!declaration.extend && declaration.kind != Kind::Definition && m_token.isWord("PROPERTIES")) {
        declaration.kind = declaration.kind == Kind::Symbol ? Kind::SymbolProperties : Kind::DiagramProperties;
        advance();
        return parseBody(declaration);
    }
    return parseTypeDeclaration(declaration);
}

bool PropertyFileParser::parseTypeDeclaration(PropertyFileDeclaration& declaration) {
    if (!expectTypeNumber(declaration.number, declaration.numberPos)) {
        return false;
    }
    if (declaration.extend) {
        return parseBody(declaration);
    }
    if (!expectName(declaration.name, declaration.namePos, "the type's name")) {
        return false;
    }
    if (declaration.kind == Kind::Definition && m_token.isWord("QUALIFIED")) {
        declaration.qualified = true;
        advance();
    }
    if (declaration.kind == Kind::Symbol && m_token.isWord("DEFINED")) {
        advance();
        if (!m_token.isWord("BY")) {
            error("BY after DEFINED");
            return false;
        }
        advance();
        if (!expectTypeNumber(declaration.definedBy, declaration.definedByPos)) {
            return false;
        }
    }
    return parseHeadingEnd(declaration);
}

// A type needs no body: the heading may be followed directly by the next declaration.
bool PropertyFileParser::parseHeadingEnd(PropertyFileDeclaration& declaration) {
    if (m_token.kind == TokenKind::LeftBrace) {
        return parseBody(declaration);
    }
    if (m_token.kind == TokenKind::End || atTopLevelKeyword()) {
        m_declarations.push_back(std::move(declaration));
        return true;
    }
    std::string options = declaration.kind == Kind::Definition ? "QUALIFIED, "
                          : declaration.kind == Kind::Symbol   ? "DEFINED BY, "
                                                               : "";
    error(options + "'{' or the next declaration");
    return false;
}

bool PropertyFileParser::parseBody(PropertyFileDeclaration& declaration) {
    if (m_token.kind != TokenKind::LeftBrace) {
        error("'{'");
        return false;
    }
    advance();
    bool symbolsAllowed = declaration.kind == Kind::Diagram;
    bool recovering = false;
    while (m_token.kind != TokenKind::RightBrace) {
        if (m_token.kind == TokenKind::End || atTopLevelKeyword()) {
            // The members read so far are kept; a missing brace is only reported when it is
            // not the consequence of an error already reported.
            if (!recovering) {
                error("'}' to close the body that starts at line " + std::to_string(declaration.pos.line));
            }
            m_declarations.push_back(std::move(declaration));
            return true;
        }
        recovering = !parseMember(declaration, symbolsAllowed);
        if (recovering) {
            skipToMember(symbolsAllowed);
        }
    }
    advance();
    m_declarations.push_back(std::move(declaration));
    return true;
}

bool PropertyFileParser::parseMember(PropertyFileDeclaration& declaration, bool symbolsAllowed) {
    if (m_token.isWord("PROPERTY")) {
        return parseProperty(declaration.properties, symbolsAllowed);
    }
    if (m_token.isWord("LIST")) {
        return parseList(declaration.properties, symbolsAllowed);
    }
    if (symbolsAllowed && m_token.isWord("SYMBOLS")) {
        return parseSymbols(declaration);
    }
    error(symbolsAllowed ? "PROPERTY, LIST, SYMBOLS or '}'" : "PROPERTY, LIST or '}'");
    advance(); // the token is no member start, so skipping must begin after it
    return false;
}

bool PropertyFileParser::takeOption(std::vector<std::string>& seen) {
    std::string option = m_token.text;
    std::transform(option.begin(), option.end(), option.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    if (std::find(seen.begin(), seen.end(), option) != seen.end()) {
        errorAt(here(), "expected each option once but found a second " + m_token.describe());
        return false;
    }
    seen.push_back(option);
    advance();
    return true;
}

bool PropertyFileParser::checkMemberEnd(const std::string& options, bool symbolsAllowed) {
    if (m_token.kind == TokenKind::RightBrace || m_token.kind == TokenKind::End || atTopLevelKeyword() ||
        atMemberStart(symbolsAllowed)) {
        return true;
    }
    error(options + (symbolsAllowed ? ", PROPERTY, LIST, SYMBOLS or '}'" : ", PROPERTY, LIST or '}'"));
    return false;
}

bool PropertyFileParser::parsePropertyOption(PropertyDecl& property, std::vector<std::string>& seen, bool& handled) {
    handled = true;
    if (m_token.isWord("LABEL")) {
        return takeOption(seen) && expectText(property.label, "the label in double quotes");
    }
    if (m_token.isWord("KEY")) {
        property.key = true;
        return takeOption(seen);
    }
    if (m_token.isWord("TYPE")) {
        if (!takeOption(seen)) {
            return false;
        }
        for (const EditTypeWord& editType : editTypes) {
            if (m_token.isWord(editType.word)) {
                property.editType = editType.type;
                advance();
                return true;
            }
        }
        error("TEXT, DATE, NUMBER, BOOLEAN or MULTILINE");
        return false;
    }
    handled = false;
    return true;
}

bool PropertyFileParser::parseProperty(std::vector<ParsedProperty>& properties, bool symbolsAllowed) {
    advance();
    ParsedProperty property;
    if (!expectName(property.decl.name, property.decl.pos, "the property's name")) {
        return false;
    }
    std::vector<std::string> seen;
    bool handled = true;
    while (handled) {
        if (!parsePropertyOption(property.decl, seen, handled)) {
            return false;
        }
    }
    if (!checkMemberEnd("LABEL, TYPE, KEY", symbolsAllowed)) {
        return false;
    }
    properties.push_back(std::move(property));
    return true;
}

bool PropertyFileParser::parseListOption(ParsedProperty& list, std::vector<std::string>& seen, bool& handled) {
    handled = true;
    PropertyDecl& decl = list.decl;
    if (m_token.isWord("OF")) {
        if (!takeOption(seen)) {
            return false;
        }
        list.listTypePos = here();
        return expectNumber(decl.listType, "a definition type number (0: any type)");
    }
    if (m_token.isWord("RELATION")) {
        rt::SourcePosition namePos;
        return takeOption(seen) && expectName(decl.relation, namePos, "the relation's name");
    }
    if (m_token.isWord("REVERSE")) {
        rt::SourcePosition namePos;
        return takeOption(seen) && expectName(decl.reverse, namePos, "the reverse relation's name");
    }
    if (m_token.isWord("NUMBER")) {
        if (!takeOption(seen)) {
            return false;
        }
        rt::SourcePosition numberPos = here();
        if (!expectNumber(decl.relationNumber, "a relation number")) {
            return false;
        }
        if (decl.relationNumber == 0) {
            errorAt(numberPos, "expected a relation number from 1 to 2147483647 but found 0");
            return false;
        }
        return true;
    }
    if (m_token.isWord("SINGLE")) {
        decl.single = true;
        return takeOption(seen);
    }
    if (m_token.isWord("LABEL")) {
        return takeOption(seen) && expectText(decl.label, "the label in double quotes");
    }
    handled = false;
    return true;
}

bool PropertyFileParser::parseList(std::vector<ParsedProperty>& properties, bool symbolsAllowed) {
    advance();
    ParsedProperty list;
    list.decl.editType = EditType::List;
    if (!expectName(list.decl.name, list.decl.pos, "the list's name")) {
        return false;
    }
    list.listTypePos = list.decl.pos;
    std::vector<std::string> seen;
    bool handled = true;
    while (handled) {
        if (!parseListOption(list, seen, handled)) {
            return false;
        }
    }
    if (!checkMemberEnd("OF, RELATION, REVERSE, NUMBER, SINGLE, LABEL", symbolsAllowed)) {
        return false;
    }
    for (const char* required : {"RELATION", "REVERSE"}) {
        if (std::find(seen.begin(), seen.end(), required) == seen.end()) {
            errorAt(list.decl.pos, std::string("expected ") + required + " \"name\" in the list " +
                                       quoted(list.decl.name) + " but found none");
            return true; // the list is dropped, but its syntax was complete
        }
    }
    properties.push_back(std::move(list));
    return true;
}

bool PropertyFileParser::parseSymbols(PropertyFileDeclaration& declaration) {
    advance();
    std::vector<std::pair<Long, rt::SourcePosition>> symbols;
    while (true) {
        std::pair<Long, rt::SourcePosition> entry;
        if (!expectTypeNumber(entry.first, entry.second)) {
            return false;
        }
        symbols.push_back(entry);
        if (m_token.kind != TokenKind::Comma) {
            break;
        }
        advance();
    }
    if (!checkMemberEnd("','", true)) {
        return false;
    }
    declaration.symbols.insert(declaration.symbols.end(), symbols.begin(), symbols.end());
    return true;
}

bool PropertyFileParser::expectNumber(Long& number, const std::string& what) {
    if (m_token.kind != TokenKind::Number) {
        error(what);
        return false;
    }
    number = m_token.number;
    advance();
    return true;
}

bool PropertyFileParser::expectTypeNumber(Long& number, rt::SourcePosition& pos) {
    pos = here();
    if (!expectNumber(number, "a type number")) {
        return false;
    }
    if (number == 0) {
        errorAt(pos, "expected a type number from 1 to 2147483647 but found 0");
        return false;
    }
    return true;
}

bool PropertyFileParser::expectText(std::string& text, const std::string& what) {
    if (m_token.kind != TokenKind::Text) {
        error(what);
        return false;
    }
    text = m_token.text;
    advance();
    return true;
}

bool PropertyFileParser::expectName(std::string& name, rt::SourcePosition& pos, const std::string& what) {
    pos = here();
    if (!expectText(name, what + " in double quotes")) {
        return false;
    }
    if (name.empty()) {
        errorAt(pos, "expected " + what + " but found an empty text");
        return false;
    }
    if (name.front() == ' ' || name.back() == ' ') {
        errorAt(pos, "expected " + what + " without leading or trailing blanks but found " + quoted(name));
        return false;
    }
    return true;
}

} // namespace km::kemora
