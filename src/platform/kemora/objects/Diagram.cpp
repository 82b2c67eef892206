#include "Diagram.h"
#include "Encyclopedia.h"
#include "ObjectCollection.h"
#include "Symbol.h"
#include "host/HostError.h"
#include "host/IDefinition.h"
#include "platform/runtime/Text.h"
#include <algorithm>

namespace km::kemora {

using host::HostError;
using host::HostErrorCode;

namespace {
constexpr size_t maxNameLength = 4096;
}

std::string Diagram::TypeName() {
    const DiagramType* type = m_encyclopedia->metamodel().diagramType(m_row.type);
    return type ? type->name : std::string();
}

const PropertyDecl* Diagram::findProperty(const std::string& name) const {
    return m_encyclopedia->metamodel().diagramProperty(m_row.type, name);
}

host::CollectionPtr<host::ISymbol> Diagram::symbolCollection(std::vector<Long> ids) {
    std::shared_ptr<Encyclopedia> encyclopedia = m_encyclopedia;
    return lazyCollection<host::ISymbol>(
        std::move(ids), [encyclopedia](Long id) { return encyclopedia->loadSymbol(id); }, "symbol");
}

host::CollectionPtr<host::ISymbol> Diagram::GetAllSymbols() {
    checkAlive();
    return symbolCollection(m_encyclopedia->store().symbolsOfDiagram(m_row.id, 0, {}));
}

host::CollectionPtr<host::ISymbol> Diagram::GetFilteredSymbols(const std::string& name, Long symbolType) {
    checkAlive();
    return symbolCollection(m_encyclopedia->store().symbolsOfDiagram(m_row.id, symbolType, name));
}

Geometry Diagram::defaultGeometry(Long symbolType, const std::string& name) {
    Geometry geometry;
    if (symbolType == 1) {
        geometry.xsize = std::max<Long>(6, rt::Len(name) * 6);
        geometry.ysize = 12;
    } else {
        geometry.xsize = 100;
        geometry.ysize = 50;
    }
    // The top left corner at the origin.
    geometry.xpos = geometry.xsize;
    geometry.ypos = geometry.ysize;
    return geometry;
}

Long Diagram::definitionFor(const SymbolType& type, const std::string& name) {
    if (type.definitionType == 0) {
        return 0;
    }
    if (auto existing = m_encyclopedia->store().objectByName(StoredClass::Definition, type.definitionType, name)) {
        return *existing;
    }
    return m_encyclopedia->CreateDefinition(name, type.definitionType)->ddid();
}

std::shared_ptr<host::ISymbol> Diagram::CreateSymbol(const std::string& name, Long symbolType) {
    checkAlive();
    const Metamodel& metamodel = m_encyclopedia->metamodel();
    const SymbolType* type = metamodel.symbolType(symbolType);
    if (!type) {
        throw HostError(HostErrorCode::UnknownType, "There is no symbol type " + std::to_string(symbolType) + ".");
    }
    const DiagramType* diagramType = metamodel.diagramType(m_row.type);
    if (!diagramType || std::find(diagramType->symbolTypes.begin(), diagramType->symbolTypes.end(), symbolType) ==
                            diagramType->symbolTypes.end()) {
        throw HostError(HostErrorCode::UnknownType,
                        "Symbols of type \"" + type->name + "\" cannot be placed on a \"" + TypeName() + "\" diagram.");
    }
    if (name.size() > maxNameLength) {
        throw HostError(HostErrorCode::BadValue, "A symbol name is limited to 4096 bytes.");
    }
    IStore& store = m_encyclopedia->store();
    Transaction transaction(store);
    SymbolRow row;
    row.object.cls = StoredClass::Symbol;
    row.object.type = symbolType;
    row.object.name = name;
    row.object.diagram = m_row.id;
    row.object.definition = definitionFor(*type, name);
    row.geometry = defaultGeometry(symbolType, name);
    Long id = store.insertSymbol(row);
    transaction.commit();
    return m_encyclopedia->loadSymbol(id);
}

void Diagram::save() {
    checkWritable();
    Transaction transaction(m_encyclopedia->store());
    saveObject();
    for (const auto& symbol : m_encyclopedia->dirtySymbolsOf(m_row.id)) {
        symbol->save();
    }
    transaction.commit();
}

void Diagram::Delete() {
    checkWritable();
    Transaction transaction(m_encyclopedia->store());
    m_encyclopedia->store().deleteObject(m_row.id);
    transaction.commit();
    markDeleted();
    m_encyclopedia->forget(m_row.id);
    if (m_encyclopedia->currentDiagramId() == m_row.id) {
        m_encyclopedia->setCurrentDiagram(0);
    }
}

} // namespace km::kemora
