#include "MetamodelBuilder.h"
#include "platform/runtime/Text.h"
#include <algorithm>
#include <set>

namespace km::kemora {

namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string className(host::ObjectClass ownerClass) {
    return ownerClass == host::ObjectClass::Diagram  ? "diagram"
           : ownerClass == host::ObjectClass::Symbol ? "symbol"
                                                     : "definition";
}

template <typename T> void setCommon(T& type, const PropertyFileDeclaration& declaration) {
    type.number = declaration.number;
    type.name = declaration.name;
    type.pos = declaration.pos;
}

template <typename T> std::vector<PropertyDecl>* propertiesOf(std::vector<T>& types, const T* type) {
    return type ? &types[static_cast<size_t>(type - types.data())].properties : nullptr;
}

} // namespace

MetamodelBuilder::MetamodelBuilder(DiagnosticCollector& diagnostics) : m_diagnostics(diagnostics) {}

void MetamodelBuilder::report(const rt::SourcePosition& pos, const std::string& message) {
    m_diagnostics.add(pos, message);
}

Metamodel MetamodelBuilder::build(std::vector<PropertyFileDeclaration> declarations) {
    for (PropertyFileDeclaration& declaration : declarations) {
        if (!declaration.extend) {
            declare(declaration);
        }
    }
    m_model.index(); // for the lookups of extend and resolve
    for (PropertyFileDeclaration& declaration : declarations) {
        if (declaration.extend) {
            extend(declaration);
        }
    }
    resolveDefinedBy();
    m_model.index();
    resolveDiagramSymbols();
    resolveListTypes();
    resolveCommonPropertyClashes(host::ObjectClass::Diagram);
    resolveCommonPropertyClashes(host::ObjectClass::Symbol);
    return std::move(m_model);
}

bool MetamodelBuilder::claim(Claims& claims, const PropertyFileDeclaration& declaration, const std::string& kind) {
    auto number = claims.numbers.find(declaration.number);
    if (number != claims.numbers.end()) {
        report(declaration.numberPos, "expected a " + kind + " type number not declared before but found " +
                                          std::to_string(declaration.number) + " (declared at " +
                                          rt::formatPosition(number->second) + ")");
        return false;
    }
    std::string folded = rt::foldCase(declaration.name);
    auto name = claims.names.find(folded);
    if (name != claims.names.end()) {
        report(declaration.namePos, "expected a " + kind + " type name not declared before but found " +
                                        quoted(declaration.name) + " (declared at " + rt::formatPosition(name->second) +
                                        ")");
        return false;
    }
    claims.numbers.emplace(declaration.number, declaration.numberPos);
    claims.names.emplace(folded, declaration.namePos);
    return true;
}

void MetamodelBuilder::declare(PropertyFileDeclaration& declaration) {
    switch (declaration.kind) {
    case Kind::Definition:
        if (claim(m_definitionClaims, declaration, "definition")) {
            DefinitionType& type = m_model.definitionTypes.emplace_back();
            setCommon(type, declaration);
            type.qualified = declaration.qualified;
            addProperties(host::ObjectClass::Definition, type.number, type.properties, declaration.properties,
                          "the definition type " + std::to_string(type.number));
        }
        break;
    case Kind::Symbol:
        if (claim(m_symbolClaims, declaration, "symbol")) {
            SymbolType& type = m_model.symbolTypes.emplace_back();
            setCommon(type, declaration);
            type.definitionType = declaration.definedBy;
            m_definedByPos[type.number] = declaration.definedByPos;
            addProperties(host::ObjectClass::Symbol, type.number, type.properties, declaration.properties,
                          "the symbol type " + std::to_string(type.number));
        }
        break;
    case Kind::Diagram:
        if (claim(m_diagramClaims, declaration, "diagram")) {
            DiagramType& type = m_model.diagramTypes.emplace_back();
            setCommon(type, declaration);
            addSymbols(type.number, declaration.symbols);
            addProperties(host::ObjectClass::Diagram, type.number, type.properties, declaration.properties,
                          "the diagram type " + std::to_string(type.number));
        }
        break;
    case Kind::DiagramProperties:
        addProperties(host::ObjectClass::Diagram, 0, m_model.diagramProperties, declaration.properties,
                      "every diagram");
        break;
    case Kind::SymbolProperties:
        addProperties(host::ObjectClass::Symbol, 0, m_model.symbolProperties, declaration.properties, "every symbol");
        break;
    }
}

void MetamodelBuilder::extend(PropertyFileDeclaration& declaration) {
    host::ObjectClass ownerClass = declaration.kind == Kind::Diagram  ? host::ObjectClass::Diagram
                                   : declaration.kind == Kind::Symbol ? host::ObjectClass::Symbol
                                                                      : host::ObjectClass::Definition;
    std::vector<PropertyDecl>* target = ownerProperties(ownerClass, declaration.number);
    if (!target) {
        report(declaration.numberPos, "expected a declared " + className(ownerClass) + " type to extend but found " +
                                          std::to_string(declaration.number));
        return;
    }
    if (ownerClass == host::ObjectClass::Diagram) {
        addSymbols(declaration.number, declaration.symbols);
    }
    addProperties(ownerClass, declaration.number, *target, declaration.properties,
                  "the " + className(ownerClass) + " type " + std::to_string(declaration.number));
}

// Uses the index built after all types were declared; the vectors do not change meanwhile.
std::vector<PropertyDecl>* MetamodelBuilder::ownerProperties(host::ObjectClass ownerClass, Long ownerType) {
    switch (ownerClass) {
    case host::ObjectClass::Diagram:
        if (ownerType == 0) {
            return &m_model.diagramProperties;
        }
        return propertiesOf(m_model.diagramTypes, m_model.diagramType(ownerType));
    case host::ObjectClass::Symbol:
        if (ownerType == 0) {
            return &m_model.symbolProperties;
        }
        return propertiesOf(m_model.symbolTypes, m_model.symbolType(ownerType));
    case host::ObjectClass::Definition:
        break;
    }
    return propertiesOf(m_model.definitionTypes, m_model.definitionType(ownerType));
}

void MetamodelBuilder::addProperties(host::ObjectClass ownerClass, Long ownerType, std::vector<PropertyDecl>& target,
                                     std::vector<ParsedProperty>& properties, const std::string& owner) {
    std::map<std::string, rt::SourcePosition>& names = m_propertyNames[{static_cast<int>(ownerClass), ownerType}];
    for (ParsedProperty& property : properties) {
        auto [known, added] = names.emplace(rt::foldCase(property.decl.name), property.decl.pos);
        if (!added) {
            report(property.decl.pos, "expected a property name not used before in " + owner + " but found " +
                                          quoted(property.decl.name) + " (declared at " +
                                          rt::formatPosition(known->second) + ")");
            continue;
        }
        if (property.decl.isList() && property.decl.listType != 0) {
            m_lists.push_back(
                {ownerClass, ownerType, property.decl.name, property.decl.listType, property.listTypePos});
        }
        target.push_back(std::move(property.decl));
    }
}

void MetamodelBuilder::addSymbols(Long diagram, std::vector<std::pair<Long, rt::SourcePosition>>& symbols) {
    auto& pending = m_diagramSymbols[diagram];
    pending.insert(pending.end(), symbols.begin(), symbols.end());
}

// A symbol type whose defining definition type is unknown (for example switched off) would stand
// for definitions that cannot exist, so it is left out.
void MetamodelBuilder::resolveDefinedBy() {
    std::erase_if(m_model.symbolTypes, [this](const SymbolType& symbol) {
        if (symbol.definitionType == 0 || m_model.definitionType(symbol.definitionType)) {
            return false;
        }
        report(m_definedByPos[symbol.number], "expected a declared definition type after DEFINED BY but found " +
                                                  std::to_string(symbol.definitionType));
        return true;
    });
}

void MetamodelBuilder::resolveDiagramSymbols() {
    for (DiagramType& diagram : m_model.diagramTypes) {
        std::set<Long> listed;
        for (const auto& [symbol, pos] : m_diagramSymbols[diagram.number]) {
            if (!m_model.symbolType(symbol)) {
                report(pos, "expected a declared symbol type but found " + std::to_string(symbol));
            } else if (!listed.insert(symbol).second) {
                report(pos, "expected each symbol type once in the diagram type " + std::to_string(diagram.number) +
                                " but found " + std::to_string(symbol) + " again");
            } else {
                diagram.symbolTypes.push_back(symbol);
            }
        }
    }
}

void MetamodelBuilder::resolveListTypes() {
    // (owner class, owner type, folded name) of the lists to leave out.
    std::set<std::tuple<int, Long, std::string>> dropped;
    for (const PendingList& list : m_lists) {
        if (!m_model.definitionType(list.listType)) {
            report(list.pos, "expected a declared definition type (or 0 for any) after OF in the list " +
                                 quoted(list.name) + " but found " + std::to_string(list.listType));
            dropped.emplace(static_cast<int>(list.ownerClass), list.ownerType, rt::foldCase(list.name));
        }
    }
    if (dropped.empty()) {
        return;
    }
    auto dropFrom = [&dropped](host::ObjectClass ownerClass, Long ownerType, std::vector<PropertyDecl>& properties) {
        std::erase_if(properties, [&](const PropertyDecl& property) {
            return dropped.count({static_cast<int>(ownerClass), ownerType, rt::foldCase(property.name)}) > 0;
        });
    };
    for (DefinitionType& type : m_model.definitionTypes) {
        dropFrom(host::ObjectClass::Definition, type.number, type.properties);
    }
    for (SymbolType& type : m_model.symbolTypes) {
        dropFrom(host::ObjectClass::Symbol, type.number, type.properties);
    }
    for (DiagramType& type : m_model.diagramTypes) {
        dropFrom(host::ObjectClass::Diagram, type.number, type.properties);
    }
    dropFrom(host::ObjectClass::Diagram, 0, m_model.diagramProperties);
    dropFrom(host::ObjectClass::Symbol, 0, m_model.symbolProperties);
}

// A type's own property may not take the name of one that every type of its class has: a lookup
// by name could then answer only one of them.
void MetamodelBuilder::resolveCommonPropertyClashes(host::ObjectClass ownerClass) {
    const std::vector<PropertyDecl>& common =
        ownerClass == host::ObjectClass::Diagram ? m_model.diagramProperties : m_model.symbolProperties;
    std::map<std::string, const rt::SourcePosition*> names;
    for (const PropertyDecl& property : common) {
        names.emplace(rt::foldCase(property.name), &property.pos);
    }
    auto dropClashes = [&](Long type, std::vector<PropertyDecl>& properties) {
        std::erase_if(properties, [&](const PropertyDecl& property) {
            auto clash = names.find(rt::foldCase(property.name));
            if (clash == names.end()) {
                return false;
            }
            report(property.pos, "expected a property name that every " + className(ownerClass) +
                                     " does not have already in the " + className(ownerClass) + " type " +
                                     std::to_string(type) + " but found " + quoted(property.name) +
                                     " (declared for every " + className(ownerClass) + " at " +
                                     rt::formatPosition(*clash->second) + ")");
            return true;
        });
    };
    if (ownerClass == host::ObjectClass::Diagram) {
        for (DiagramType& type : m_model.diagramTypes) {
            dropClashes(type.number, type.properties);
        }
    } else {
        for (SymbolType& type : m_model.symbolTypes) {
            dropClashes(type.number, type.properties);
        }
    }
}

} // namespace km::kemora
