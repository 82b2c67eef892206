#include "Symbol.h"
#include "Definition.h"
#include "Diagram.h"
#include "Encyclopedia.h"
#include "ObjectCollection.h"
#include "SymbolNesting.h"
#include "host/HostError.h"
#include "host/SymbolFields.h"
#include "platform/runtime/Text.h"
#include <unordered_map>

namespace km::kemora {

using host::HostError;
using host::HostErrorCode;

Symbol::Symbol(std::shared_ptr<Encyclopedia> encyclopedia, SymbolRow row)
    : KMObject(std::move(encyclopedia), row.object), m_symbol(std::move(row)) {}

std::string Symbol::TypeName() {
    const SymbolType* type = m_encyclopedia->metamodel().symbolType(m_row.type);
    return type ? type->name : std::string();
}

const PropertyDecl* Symbol::findProperty(const std::string& name) const {
    return m_encyclopedia->metamodel().symbolProperty(m_row.type, name);
}

std::shared_ptr<host::IDefinition> Symbol::definition() {
    checkAlive();
    if (m_row.definition == 0) {
        return nullptr;
    }
    return m_encyclopedia->loadDefinition(m_row.definition);
}

std::shared_ptr<host::IDiagram> Symbol::Diagram() {
    checkAlive();
    return m_encyclopedia->loadDiagram(m_row.diagram);
}

std::vector<Long> Symbol::nestedSymbols(bool directOnly) {
    std::vector<SymbolRow> inside = m_encyclopedia->store().symbolsWithin(m_row.diagram, m_symbol.geometry);
    SymbolNesting nesting(m_row.id, m_symbol.geometry);
    return directOnly ? nesting.directChildren(inside) : nesting.descendants(inside);
}

host::CollectionPtr<host::IKMObject> Symbol::nestedCollection() {
    std::vector<SymbolRow> inside = m_encyclopedia->store().symbolsWithin(m_row.diagram, m_symbol.geometry);
    std::vector<Long> ids = SymbolNesting(m_row.id, m_symbol.geometry).directChildren(inside);
    // The rows read for the nesting make the symbols, so that walking them reads nothing again.
    auto rows = std::make_shared<std::unordered_map<Long, SymbolRow>>();
    for (SymbolRow& row : inside) {
        rows->emplace(row.object.id, std::move(row));
    }
    std::shared_ptr<Encyclopedia> encyclopedia = m_encyclopedia;
    return std::make_shared<ObjectCollection<host::IKMObject>>(
        std::move(ids), [encyclopedia, rows](Long id) -> std::shared_ptr<host::IKMObject> {
            return encyclopedia->symbolFromRow(rows->at(id));
        });
}

std::vector<Long> Symbol::referencedDefinitions(Long relation) {
    const Metamodel& metamodel = m_encyclopedia->metamodel();
    std::vector<Long> ids;
    auto collect = [&](const std::vector<PropertyDecl>& properties) {
        for (const PropertyDecl& property : properties) {
            if (property.isList() && property.relationNumber == relation) {
                for (Long id : listIds(property)) {
                    ids.push_back(id);
                }
            }
        }
    };
    if (const SymbolType* type = metamodel.symbolType(m_row.type)) {
        collect(type->properties);
    }
    collect(metamodel.symbolProperties);
    return ids;
}

host::CollectionPtr<host::IKMObject> Symbol::GetRelatedObjects(Long relation) {
    checkAlive();
    std::shared_ptr<Encyclopedia> encyclopedia = m_encyclopedia;
    auto symbols = [encyclopedia](std::vector<Long> ids) {
        return lazyCollection<host::IKMObject>(
            std::move(ids), [encyclopedia](Long id) { return encyclopedia->loadObject(id); }, "related object");
    };
    if (relation == host::RelNestedSymbols) {
        return nestedCollection();
    }
    if (relation == host::RelHierarchyChildren) {
        return symbols(m_encyclopedia->store().hierarchyChildren(m_row.id));
    }
    std::vector<Long> ids = referencedDefinitions(relation);
    if (ids.empty() && relation != host::RelReferencedDefinitions) {
        throw HostError(HostErrorCode::NotSupported,
                        "Symbols have no relation number " + std::to_string(relation) + ".");
    }
    return symbols(std::move(ids));
}

void Symbol::setField(Long number, const std::string& value) {
    checkAlive();
    m_pendingFields[number] = value;
    markDirty();
}

std::string Symbol::GetField(Long number) {
    checkAlive();
    if (auto pending = m_pendingFields.find(number); pending != m_pendingFields.end()) {
        return pending->second;
    }
    if (auto stored = m_encyclopedia->store().field(m_row.id, number)) {
        return *stored;
    }
    // A text symbol's extent: the width its text needs at 6 units a character, 12 high.
    if (number == host::FieldTextExtent && m_row.type == 1) {
        return std::to_string(rt::Len(m_row.name) * 6) + " 12";
    }
    return {};
}

void Symbol::saveOwnState() {
    IStore& store = m_encyclopedia->store();
    if (!store.symbol(m_row.id)) {
        throw HostError(HostErrorCode::Deleted, "The symbol \"" + m_row.name + "\" has been deleted.");
    }
    store.updateSymbol(m_symbol);
    for (const auto& [number, value] : m_pendingFields) {
        store.setField(m_row.id, number, value);
    }
    m_pendingFields.clear();
}

void Symbol::Delete() {
    checkWritable();
    IStore& store = m_encyclopedia->store();
    // The symbols drawn inside go with their container, so that repopulating a container leaves
    // no orphans behind.
    std::vector<Long> doomed = nestedSymbols(false);
    Transaction transaction(store);
    for (Long id : doomed) {
        store.deleteObject(id);
    }
    store.deleteObject(m_row.id);
    transaction.commit();
    for (Long id : doomed) {
        if (auto loaded = std::dynamic_pointer_cast<Symbol>(m_encyclopedia->loadedObject(id))) {
            loaded->markDeleted();
        }
        m_encyclopedia->forget(id);
    }
    markDeleted();
    m_encyclopedia->forget(m_row.id);
}

} // namespace km::kemora
