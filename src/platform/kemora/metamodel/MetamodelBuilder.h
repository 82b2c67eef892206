#pragma once
#include "DiagnosticCollector.h"
#include "Metamodel.h"
#include "PropertyFileParser.h"
#include <map>
#include <string>
#include <vector>

namespace km::kemora {

/// Turns parsed declarations into a metamodel and enforces the rules that span declarations and
/// files: type numbers and names unique per kind (the first declaration wins), property names
/// unique within their owner, EXTEND only of declared types, and references (DEFINED BY, SYMBOLS,
/// LIST ... OF) only to declared types. Whatever breaks a rule is reported and left out.
class MetamodelBuilder {
public:
    explicit MetamodelBuilder(DiagnosticCollector& diagnostics);

    /// Declarations are applied in order, all EXTENDs after all types are known, so that an
    /// extension may stand before the type it extends. The result is not yet indexed.
    Metamodel build(std::vector<PropertyFileDeclaration> declarations);

private:
    using Kind = PropertyFileDeclaration::Kind;
    struct Claims {
        std::map<Long, rt::SourcePosition> numbers;
        std::map<std::string, rt::SourcePosition> names; // folded
    };
    struct PendingList {
        host::ObjectClass ownerClass;
        Long ownerType; ///< 0: the properties of every type of the class
        std::string name;
        Long listType;
        rt::SourcePosition pos;
    };

    void declare(PropertyFileDeclaration& declaration);
    void extend(PropertyFileDeclaration& declaration);
    bool claim(Claims& claims, const PropertyFileDeclaration& declaration, const std::string& kind);
    void addProperties(host::ObjectClass ownerClass, Long ownerType, std::vector<PropertyDecl>& target,
                       std::vector<ParsedProperty>& properties, const std::string& owner);
    void addSymbols(Long diagram, std::vector<std::pair<Long, rt::SourcePosition>>& symbols);

    void resolveDefinedBy();
    void resolveDiagramSymbols();
    void resolveListTypes();
    void resolveCommonPropertyClashes(host::ObjectClass ownerClass);
    std::vector<PropertyDecl>* ownerProperties(host::ObjectClass ownerClass, Long ownerType);
    void report(const rt::SourcePosition& pos, const std::string& message);

    DiagnosticCollector& m_diagnostics;
    Metamodel m_model;
    Claims m_definitionClaims, m_symbolClaims, m_diagramClaims;
    std::map<Long, rt::SourcePosition> m_definedByPos;                                 // symbol type -> DEFINED BY
    std::map<Long, std::vector<std::pair<Long, rt::SourcePosition>>> m_diagramSymbols; // diagram type -> SYMBOLS
    std::vector<PendingList> m_lists;
    // (owner class, owner type or 0 for every type) -> folded property names and where declared.
    std::map<std::pair<int, Long>, std::map<std::string, rt::SourcePosition>> m_propertyNames;
};

} // namespace km::kemora
