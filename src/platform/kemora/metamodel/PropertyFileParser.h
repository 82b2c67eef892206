#pragma once
#include "DiagnosticCollector.h"
#include "Metamodel.h"
#include "PropertyFileLexer.h"
#include <string>
#include <utility>
#include <vector>

namespace km::kemora {

class PropertyFilePreprocessor;

/// A property as read, with where its list type number stands (for messages about it).
struct ParsedProperty {
    PropertyDecl decl;
    rt::SourcePosition listTypePos;
};

/// One declaration of a property file, before the rules across declarations are checked.
struct PropertyFileDeclaration {
    enum class Kind { Definition, Symbol, Diagram, DiagramProperties, SymbolProperties };
    Kind kind = Kind::Definition;
    bool extend = false;
    Long number = 0;
    std::string name;
    bool qualified = false;
    Long definedBy = 0;     ///< symbols: 0 when no DEFINED BY was given
    rt::SourcePosition pos; ///< the declaration's first keyword
    rt::SourcePosition numberPos, namePos, definedByPos;
    std::vector<std::pair<Long, rt::SourcePosition>> symbols; ///< diagrams: SYMBOLS entries in order
    std::vector<ParsedProperty> properties;
};

/// Parses the token stream of a property file and the files it includes. A declaration with a
/// faulty heading is reported and skipped up to the next DEFINITION, SYMBOL, DIAGRAM or EXTEND;
/// a faulty member of a body is reported and skipped up to the next member, so that the rest of
/// the declaration is still read.
class PropertyFileParser {
public:
    PropertyFileParser(PropertyFilePreprocessor& source, DiagnosticCollector& diagnostics);

    std::vector<PropertyFileDeclaration> parse();

private:
    using Kind = PropertyFileDeclaration::Kind;

    void advance();
    rt::SourcePosition here() const;
    void error(const std::string& expected);
    void errorAt(const rt::SourcePosition& pos, const std::string& message);
    bool atTopLevelKeyword() const;
    bool atMemberStart(bool symbolsAllowed) const;
    void skipToTopLevel();
    void skipToMember(bool symbolsAllowed);

    bool parseDeclaration();
    bool parseTypeDeclaration(PropertyFileDeclaration& declaration);
    bool parseHeadingEnd(PropertyFileDeclaration& declaration);
    bool parseBody(PropertyFileDeclaration& declaration);
    bool parseMember(PropertyFileDeclaration& declaration, bool symbolsAllowed);
    bool parseProperty(std::vector<ParsedProperty>& properties, bool symbolsAllowed);
    bool parseList(std::vector<ParsedProperty>& properties, bool symbolsAllowed);
    bool parsePropertyOption(PropertyDecl& property, std::vector<std::string>& seen, bool& handled);
    bool parseListOption(ParsedProperty& list, std::vector<std::string>& seen, bool& handled);
    bool parseSymbols(PropertyFileDeclaration& declaration);
    bool checkMemberEnd(const std::string& options, bool symbolsAllowed);
    bool takeOption(std::vector<std::string>& seen);

    bool expectTypeNumber(Long& number, rt::SourcePosition& pos);
    bool expectNumber(Long& number, const std::string& what);
    bool expectName(std::string& name, rt::SourcePosition& pos, const std::string& what);
    bool expectText(std::string& text, const std::string& what);

    PropertyFilePreprocessor& m_source;
    DiagnosticCollector& m_diagnostics;
    std::vector<PropertyFileDeclaration> m_declarations;
    PropertyFileToken m_token;
};

} // namespace km::kemora
