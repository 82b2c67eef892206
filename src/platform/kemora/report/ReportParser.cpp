#include "ReportParser.h"
#include <charconv>

namespace km::kemora {

namespace {

const char* const levelClauses = "ORDERBY SEQUENCE, SELECT, PARTIAL, WHERE, JOIN or '}' to close the query";

} // namespace

ReportParser::ReportParser(std::string_view script) : m_lexer(script) {}

ReportQuery ReportParser::parse() {
    const bool headerBrace = parseHeader();
    parsePreamble();
    int allowedBraces = headerBrace ? 1 : 0;
    if (m_lexer.peek().isWord("TABULAR")) {
        m_lexer.next();
        const ReportToken number = m_lexer.peek();
        if (expectInteger("1", "TABULAR") != 1) {
            fail(number, "1", "TABULAR");
        }
        expect(TokenKind::LeftBrace, "'{' to open the query", "TABULAR 1");
        parseQuery();
        expect(TokenKind::RightBrace, levelClauses, "");
        m_query.hasQuery = true;
    } else {
        // Without a query the add-in's preparation still appends one closing brace.
        ++allowedBraces;
    }
    for (int i = 0; i < allowedBraces && m_lexer.peek().kind == TokenKind::RightBrace; ++i) {
        m_lexer.next();
    }
    if (m_lexer.peek().kind != TokenKind::End) {
        fail(m_lexer.peek(), m_query.hasQuery ? "the end of the script" : "SETTING, FIELD or TABULAR 1",
             m_query.hasQuery ? "the query" : "");
    }
    return std::move(m_query);
}

bool ReportParser::parseHeader() {
    if (!acceptWord("REPORT")) {
        return false;
    }
    if (m_lexer.peek().kind == TokenKind::String) {
        m_query.reportName = m_lexer.next().text;
    }
    if (acceptWord("ID")) {
        m_query.reportId = expectInteger("a report id (a whole number)", "ID");
    }
    if (m_lexer.peek().kind != TokenKind::LeftBrace) {
        return false;
    }
    m_lexer.next();
    return true;
}

void ReportParser::parsePreamble() {
    for (;;) {
        if (m_lexer.peek().isWord("SETTING")) {
            parseSetting();
        } else if (m_lexer.peek().isWord("FIELD")) {
            parseField();
        } else {
            return;
        }
    }
}

void ReportParser::parseSetting() {
    m_lexer.next();
    expect(TokenKind::LeftBrace, "'{'", "SETTING");
    const ReportToken name = m_lexer.next();
    ReportSettings& settings = m_query.settings;
    if (name.isWord("DECIMALSEPARATOR")) {
        settings.decimalSeparator = expect(TokenKind::String, "a separator in double quotes", name.text).text;
    } else if (name.isWord("LISTSEPARATOR")) {
        settings.listSeparator = expect(TokenKind::String, "a separator in double quotes", name.text).text;
    } else if (name.isWord("MEASUREMENT")) {
        const ReportToken unit = m_lexer.next();
        if (unit.isWord("ENGLISH")) {
            settings.measurement = Measurement::English;
        } else if (unit.isWord("METRIC")) {
            settings.measurement = Measurement::Metric;
        } else {
            fail(unit, "English or METRIC", name.text);
        }
    } else if (name.isWord("PAGESIZE")) {
        // The page size is written with inch marks (-1", 0.00): read it as raw text.
        settings.pageSize = m_lexer.rawUntil('}');
    } else if (name.isWord("REPORTFORMAT")) {
        settings.reportFormat = expectInteger("a whole number", name.text);
    } else {
        fail(name, "a setting name (DECIMALSEPARATOR, LISTSEPARATOR, MEASUREMENT, PAGESIZE or REPORTFORMAT)",
             "SETTING {");
    }
    expect(TokenKind::RightBrace, "'}' to close the setting", "");
}

void ReportParser::parseField() {
    m_lexer.next();
    const ReportToken label = expect(TokenKind::String, "a field label in double quotes", "FIELD");
    if (m_query.field(label.text)) {
        throwReportError(label.pos, "the field \"" + label.text + "\" is declared twice");
    }
    FieldDecl decl;
    decl.label = label.text;
    decl.pos = label.pos;
    expect(TokenKind::LeftBrace, "'{'", "the field label");
    while (m_lexer.peek().kind != TokenKind::RightBrace) {
        parseFieldPart(decl);
    }
    m_lexer.next();
    if (decl.sourceProperty.empty()) {
        decl.sourceProperty = decl.label;
    }
    m_query.fields.push_back(std::move(decl));
}

void ReportParser::parseFieldPart(FieldDecl& decl) {
    const ReportToken word = m_lexer.next();
    if (word.isWord("SOURCE")) {
        expectWord("PROPERTY", "SOURCE");
        decl.sourceProperty = expect(TokenKind::String, "a property name in double quotes", "SOURCE PROPERTY").text;
    } else if (word.isWord("LENGTH")) {
        decl.length = expectInteger("a whole number", "LENGTH");
    } else if (word.isWord("TYPE")) {
        const ReportToken kind = m_lexer.next();
        if (kind.isWord("DATE")) {
            decl.kind = FieldKind::Date;
        } else if (kind.isWord("BOOLEAN")) {
            decl.kind = FieldKind::Boolean;
        } else if (kind.isWord("CHARACTER")) {
            decl.kind = FieldKind::Character;
        } else if (kind.isWord("NUMERIC")) {
            decl.kind = FieldKind::Numeric;
        } else {
            fail(kind, "DATE, BOOLEAN, CHARACTER or NUMERIC", "TYPE");
        }
    } else if (word.isWord("LEGEND")) {
        decl.legend = expect(TokenKind::String, "a legend in double quotes", "LEGEND").text;
    } else {
        fail(word, "SOURCE PROPERTY, LENGTH, TYPE, LEGEND or '}' to close the field", "");
    }
}

void ReportParser::parseQuery() {
    m_query.levels.emplace_back();
    parseLevel(m_query.levels.back());
    while (m_lexer.peek().isWord("JOIN")) {
        const ReportToken join = m_lexer.next();
        expectWord("WHERE", "JOIN");
        expectWord("RELATION", "JOIN WHERE");
        expect(TokenKind::Equal, "'='", "RELATION");
        const ReportToken relation = expect(TokenKind::String, "a relation name in double quotes", "RELATION =");
        if (relation.text.empty()) {
            throwReportError(relation.pos, "the relation name is empty");
        }
        expectWord("JOIN", "the relation name");
        if (m_query.levels.size() >= maxLevels) {
            throwReportError(join.pos, "a query joins at most " + std::to_string(maxLevels) + " levels");
        }
        QueryLevel& level = m_query.levels.emplace_back();
        level.relation = relation.text;
        level.relationPos = relation.pos;
        parseLevel(level);
    }
}

void ReportParser::parseLevel(QueryLevel& level) {
    level.pos = m_lexer.peek().pos;
    for (;;) {
        const ReportToken& token = m_lexer.peek();
        if (token.isWord("ORDERBY")) {
            m_lexer.next();
            expectWord("SEQUENCE", "ORDERBY");
            level.orderBySequence = true;
        } else if (token.isWord("SELECT")) {
            m_lexer.next();
            parseSelectList(level);
        } else if (token.isWord("PARTIAL")) {
            m_lexer.next();
            level.partial = true;
        } else if (token.isWord("WHERE")) {
            m_lexer.next();
            level.conditions.push_back(parseCondition());
        } else {
            return;
        }
    }
}

void ReportParser::parseSelectList(QueryLevel& level) {
    std::string after = "SELECT";
    for (;;) {
        const ReportToken name = expect(TokenKind::String, "a field name in double quotes", after);
        SelectItem item{name.text, std::nullopt, name.pos};
        if (acceptWord("LEGEND")) {
            item.legend = expect(TokenKind::String, "a legend in double quotes", "LEGEND").text;
        }
        level.select.push_back(std::move(item));
        if (m_lexer.peek().kind != TokenKind::Comma) {
            return;
        }
        m_lexer.next();
        // A comma may also end the list (the add-in writes one before a line break).
        if (m_lexer.peek().kind != TokenKind::String) {
            return;
        }
        after = "','";
    }
}

Condition ReportParser::parseCondition() {
    const ReportToken subject = m_lexer.next();
    if (subject.isWord("CLASS")) {
        return parseClassCondition(subject);
    }
    if (subject.isWord("TYPE")) {
        return parseTypeCondition(subject);
    }
    if (subject.isWord("RELATION")) {
        throwReportError(subject.pos, "RELATION = stands only between two JOINs (JOIN WHERE RELATION = \"name\" JOIN)");
    }
    if (subject.kind != TokenKind::String) {
        fail(subject, "a condition (Class = ..., Type = \"name\" or a field name in double quotes)", "WHERE");
    }
    Condition condition;
    condition.kind = ConditionKind::Compare;
    condition.subject = subject.text;
    condition.pos = subject.pos;
    const ReportToken op = m_lexer.next();
    switch (op.kind) {
    case TokenKind::Equal:
        condition.op = CompareOp::Equal;
        break;
    case TokenKind::NotEqual:
        condition.op = CompareOp::NotEqual;
        break;
    case TokenKind::Less:
        condition.op = CompareOp::Less;
        break;
    case TokenKind::Greater:
        condition.op = CompareOp::Greater;
        break;
    case TokenKind::LessEqual:
        condition.op = CompareOp::LessEqual;
        break;
    case TokenKind::GreaterEqual:
        condition.op = CompareOp::GreaterEqual;
        break;
    default:
        if (!op.isWord("LIKE")) {
            fail(op, "a comparison (=, <>, <, >, <=, >= or LIKE)", subject.describe());
        }
        condition.op = CompareOp::Like;
    }
    parseValue(condition, subject.describe() + " " + op.text);
    return condition;
}

Condition ReportParser::parseClassCondition(const ReportToken& subject) {
    expect(TokenKind::Equal, "'='", subject.text);
    const ReportToken name = m_lexer.next();
    Condition condition;
    condition.kind = ConditionKind::ClassIs;
    condition.pos = subject.pos;
    condition.valuePos = name.pos;
    if (name.isWord("DEFINITION")) {
        condition.className = ClassName::Definition;
    } else if (name.isWord("DIAGRAM")) {
        condition.className = ClassName::Diagram;
    } else {
        fail(name, "Definition or Diagram", subject.text + " =");
    }
    return condition;
}

Condition ReportParser::parseTypeCondition(const ReportToken& subject) {
    expect(TokenKind::Equal, "'='", subject.text);
    Condition condition;
    condition.pos = subject.pos;
    const ReportToken& value = m_lexer.peek();
    if (value.kind == TokenKind::Number || value.kind == TokenKind::Placeholder) {
        // Type = 765 reads as "Type Number" = 765.
        condition.kind = ConditionKind::Compare;
        condition.subject = "Type Number";
        parseValue(condition, subject.text + " =");
        return condition;
    }
    const ReportToken name = expect(TokenKind::String, "a type name in double quotes", subject.text + " =");
    condition.kind = ConditionKind::TypeName;
    condition.subject = name.text;
    condition.valuePos = name.pos;
    return condition;
}

void ReportParser::parseValue(Condition& condition, const std::string& after) {
    const ReportToken value = m_lexer.next();
    condition.valuePos = value.pos;
    if (value.kind == TokenKind::Placeholder) {
        throwReportError(value.pos, "the placeholder " + value.text + " must be replaced before the script runs");
    }
    if (value.kind != TokenKind::Number && value.kind != TokenKind::String) {
        fail(value, "a number or a text in double quotes", after);
    }
    condition.value = value.text;
    condition.valueIsNumber = value.kind == TokenKind::Number;
}

ReportToken ReportParser::expect(TokenKind kind, const std::string& what, const std::string& after) {
    ReportToken token = m_lexer.next();
    if (token.kind != kind) {
        fail(token, what, after);
    }
    return token;
}

ReportToken ReportParser::expectWord(std::string_view keyword, const std::string& after) {
    ReportToken token = m_lexer.next();
    if (!token.isWord(keyword)) {
        fail(token, std::string(keyword), after);
    }
    return token;
}

bool ReportParser::acceptWord(std::string_view keyword) {
    if (!m_lexer.peek().isWord(keyword)) {
        return false;
    }
    m_lexer.next();
    return true;
}

long long ReportParser::expectInteger(const std::string& what, const std::string& after) {
    const ReportToken token = m_lexer.next();
    long long value = 0;
    if (token.kind == TokenKind::Number) {
        const char* end = token.text.data() + token.text.size();
        const auto [ptr, error] = std::from_chars(token.text.data(), end, value);
        if (error == std::errc() && ptr == end) {
            return value;
        }
    }
    fail(token, what, after);
}

void ReportParser::fail(const ReportToken& found, const std::string& what, const std::string& after) {
    throwReportError(found.pos,
                     "expected " + what + (after.empty() ? "" : " after " + after) + ", found " + found.describe());
}

} // namespace km::kemora
