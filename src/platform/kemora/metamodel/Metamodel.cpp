#include "Metamodel.h"
#include "DeclarationFile.h"
#include "MetamodelBuilder.h"
#include "PropertyFileParser.h"
#include "PropertyFilePreprocessor.h"
#include "platform/runtime/Text.h"
#include <exception>

namespace km::kemora {

std::string MetamodelDiagnostic::text() const {
    return rt::formatLocated(pos, message);
}

namespace {

template <typename T> const T* lookup(const std::vector<T>& items, const std::map<Long, size_t>& index, Long number) {
    auto found = index.find(number);
    return found == index.end() ? nullptr : &items[found->second];
}

template <typename T>
const T* lookup(const std::vector<T>& items, const std::map<std::string, size_t>& index, const std::string& name) {
    auto found = index.find(rt::foldCase(name));
    return found == index.end() ? nullptr : &items[found->second];
}

// The first entry of a number or name wins, as it does when the property files are read.
template <typename T>
void indexTypes(const std::vector<T>& items, std::map<Long, size_t>& byNumber, std::map<std::string, size_t>& byName) {
    byNumber.clear();
    byName.clear();
    for (size_t i = 0; i < items.size(); ++i) {
        byNumber.emplace(items[i].number, i);
        byName.emplace(rt::foldCase(items[i].name), i);
    }
}

} // namespace

const DefinitionType* Metamodel::definitionType(Long number) const {
    return lookup(definitionTypes, m_definitionByNumber, number);
}

const DefinitionType* Metamodel::definitionTypeNamed(const std::string& name) const {
    return lookup(definitionTypes, m_definitionByName, name);
}

const SymbolType* Metamodel::symbolType(Long number) const {
    return lookup(symbolTypes, m_symbolByNumber, number);
}

const SymbolType* Metamodel::symbolTypeNamed(const std::string& name) const {
    return lookup(symbolTypes, m_symbolByName, name);
}

const DiagramType* Metamodel::diagramType(Long number) const {
    return lookup(diagramTypes, m_diagramByNumber, number);
}

const DiagramType* Metamodel::diagramTypeNamed(const std::string& name) const {
    return lookup(diagramTypes, m_diagramByName, name);
}

const std::vector<PropertyDecl>& Metamodel::ownerProperties(host::ObjectClass ownerClass, size_t typeIndex) const {
    switch (ownerClass) {
    case host::ObjectClass::Diagram:
        return typeIndex == allTypes ? diagramProperties : diagramTypes[typeIndex].properties;
    case host::ObjectClass::Symbol:
        return typeIndex == allTypes ? symbolProperties : symbolTypes[typeIndex].properties;
    case host::ObjectClass::Definition:
        break;
    }
    return definitionTypes[typeIndex].properties;
}

const PropertyDecl* Metamodel::propertyOf(host::ObjectClass ownerClass, Long type, const std::string& name) const {
    auto found = m_propertyByName.find({static_cast<int>(ownerClass), type, rt::foldCase(name)});
    if (found == m_propertyByName.end()) {
        return nullptr;
    }
    size_t typeIndex = allTypes;
    if (type != 0) {
        const auto& byNumber = ownerClass == host::ObjectClass::Diagram  ? m_diagramByNumber
                               : ownerClass == host::ObjectClass::Symbol ? m_symbolByNumber
                                                                         : m_definitionByNumber;
        typeIndex = byNumber.at(type);
    }
    return &ownerProperties(ownerClass, typeIndex)[found->second];
}

const PropertyDecl* Metamodel::definitionProperty(Long type, const std::string& name) const {
    if (type == 0 || !definitionType(type)) {
        return nullptr;
    }
    return propertyOf(host::ObjectClass::Definition, type, name);
}

const PropertyDecl* Metamodel::diagramProperty(Long type, const std::string& name) const {
    if (type == 0 || !diagramType(type)) {
        return nullptr;
    }
    if (const PropertyDecl* own = propertyOf(host::ObjectClass::Diagram, type, name)) {
        return own;
    }
    return propertyOf(host::ObjectClass::Diagram, 0, name);
}

const PropertyDecl* Metamodel::symbolProperty(Long type, const std::string& name) const {
    const SymbolType* symbol = type == 0 ? nullptr : symbolType(type);
    if (!symbol) {
        return nullptr;
    }
    if (const PropertyDecl* own = propertyOf(host::ObjectClass::Symbol, type, name)) {
        return own;
    }
    if (const PropertyDecl* common = propertyOf(host::ObjectClass::Symbol, 0, name)) {
        return common;
    }
    const PropertyDecl* behind = definitionProperty(symbol->definitionType, name);
    return behind && behind->key ? behind : nullptr;
}

std::vector<Metamodel::RelationEnd> Metamodel::relationsNamed(const std::string& name) const {
    std::vector<RelationEnd> ends;
    auto found = m_relationsByName.find(rt::foldCase(name));
    if (found == m_relationsByName.end()) {
        return ends;
    }
    for (const PropertyRef& ref : found->second) {
        ends.push_back({&ownerProperties(ref.ownerClass, ref.typeIndex)[ref.propertyIndex], ref.forward});
    }
    return ends;
}

void Metamodel::indexProperties(host::ObjectClass ownerClass, size_t typeIndex, Long type,
                                std::vector<PropertyDecl>& properties) {
    for (size_t i = 0; i < properties.size(); ++i) {
        PropertyDecl& property = properties[i];
        property.ownerClass = static_cast<int>(ownerClass);
        property.ownerType = type;
        m_propertyByName.emplace(std::make_tuple(static_cast<int>(ownerClass), type, rt::foldCase(property.name)), i);
        if (!property.isList()) {
            continue;
        }
        if (!property.relation.empty()) {
            m_relationsByName[rt::foldCase(property.relation)].push_back({ownerClass, typeIndex, i, true});
        }
        if (!property.reverse.empty()) {
            m_relationsByName[rt::foldCase(property.reverse)].push_back({ownerClass, typeIndex, i, false});
        }
    }
}

void Metamodel::index() {
    indexTypes(definitionTypes, m_definitionByNumber, m_definitionByName);
    indexTypes(symbolTypes, m_symbolByNumber, m_symbolByName);
    indexTypes(diagramTypes, m_diagramByNumber, m_diagramByName);
    m_propertyByName.clear();
    m_relationsByName.clear();
    // Only the first type of a number is reachable, so only its properties are indexed; number 0
    // stands for "every type" in the property index and is no valid type number.
    auto indexAll = [this](host::ObjectClass ownerClass, auto& types, const std::map<Long, size_t>& byNumber) {
        for (size_t i = 0; i < types.size(); ++i) {
            if (types[i].number != 0 && byNumber.at(types[i].number) == i) {
                indexProperties(ownerClass, i, types[i].number, types[i].properties);
                continue;
            }
            for (PropertyDecl& property : types[i].properties) { // shadowed: owner only
                property.ownerClass = static_cast<int>(ownerClass);
                property.ownerType = types[i].number;
            }
        }
    };
    indexAll(host::ObjectClass::Definition, definitionTypes, m_definitionByNumber);
    indexAll(host::ObjectClass::Symbol, symbolTypes, m_symbolByNumber);
    indexAll(host::ObjectClass::Diagram, diagramTypes, m_diagramByNumber);
    indexProperties(host::ObjectClass::Diagram, allTypes, 0, diagramProperties);
    indexProperties(host::ObjectClass::Symbol, allTypes, 0, symbolProperties);
}

namespace {

constexpr const char* propertyFileName = "kmprops.cfg";

void loadInto(Metamodel& metamodel, DiagnosticCollector& diagnostics, const FileReader& files) {
    std::set<std::string> switches;
    std::string declarationsName = DeclarationFile::storedName;
    // Without a declarations file no switch is declared; that is no fault.
    if (auto text =
            PropertyFilePreprocessor::readFile(files, declarationsName, {declarationsName, 1, 1}, diagnostics)) {
        switches = DeclarationFile::parse(declarationsName, *text, diagnostics).definedSwitches();
    }
    PropertyFilePreprocessor source(files, std::move(switches), diagnostics);
    if (!source.start(propertyFileName)) {
        return;
    }
    PropertyFileParser parser(source, diagnostics);
    MetamodelBuilder builder(diagnostics);
    metamodel = builder.build(parser.parse());
}

} // namespace

MetamodelLoadResult loadMetamodel(const FileReader& files) {
    MetamodelLoadResult result;
    DiagnosticCollector diagnostics;
    try {
        loadInto(result.metamodel, diagnostics, files);
        result.metamodel.index();
    } catch (const std::exception& error) {
        // Only resource exhaustion gets here; the encyclopedia then opens with an empty metamodel.
        result.metamodel = Metamodel();
        diagnostics.add({propertyFileName, 0, 0},
                        std::string("expected to read the property files but found the error: ") + error.what());
    }
    result.diagnostics = diagnostics.take();
    return result;
}

} // namespace km::kemora
