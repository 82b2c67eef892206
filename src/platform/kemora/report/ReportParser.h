#pragma once
#include "ReportLexer.h"
#include "ReportQuery.h"
#include <string_view>

namespace km::kemora {

/// Parses a report script into a ReportQuery. Accepts a script as it is stored (with the
/// optional REPORT header, every setting and the closing braces) and as the add-in prepares it
/// (header and page settings removed, one closing brace appended). Keywords are case-insensitive.
/// A malformed script throws HostError ReportSyntax naming the line, the column and what was
/// expected.
class ReportParser {
public:
    /// A query may join at most this many levels; deeper ones are refused as malformed.
    static constexpr size_t maxLevels = 64;

    explicit ReportParser(std::string_view script);
    ReportQuery parse();

private:
    bool parseHeader();
    void parsePreamble();
    void parseSetting();
    void parseField();
    void parseFieldPart(FieldDecl& decl);
    void parseQuery();
    void parseLevel(QueryLevel& level);
    void parseSelectList(QueryLevel& level);
    Condition parseCondition();
    Condition parseClassCondition(const ReportToken& subject);
    Condition parseTypeCondition(const ReportToken& subject);
    void parseValue(Condition& condition, const std::string& after);
    void parseClosingBraces(int allowed);

    ReportToken expect(TokenKind kind, const std::string& what, const std::string& after);
    ReportToken expectWord(std::string_view keyword, const std::string& after);
    bool acceptWord(std::string_view keyword);
    long long expectInteger(const std::string& what, const std::string& after);
    [[noreturn]] void fail(const ReportToken& found, const std::string& what, const std::string& after);

    ReportLexer m_lexer;
    ReportQuery m_query;
};

} // namespace km::kemora
