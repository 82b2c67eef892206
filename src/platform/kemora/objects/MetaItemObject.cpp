#include "MetaItemObject.h"
#include "ObjectCollection.h"

namespace km::kemora {

MetaItemObject::MetaItemObject(std::shared_ptr<const Metamodel> metamodel, Kind kind, Long number)
    : m_metamodel(std::move(metamodel)), m_kind(kind), m_number(number) {}

std::string MetaItemObject::TypeName() {
    switch (m_kind) {
    case Kind::Diagram:
        if (const DiagramType* type = m_metamodel->diagramType(m_number)) {
            return type->name;
        }
        break;
    case Kind::Symbol:
        if (const SymbolType* type = m_metamodel->symbolType(m_number)) {
            return type->name;
        }
        break;
    case Kind::Definition:
        if (const DefinitionType* type = m_metamodel->definitionType(m_number)) {
            return type->name;
        }
        break;
    }
    return {};
}

std::shared_ptr<host::IMetaItem> MetaItemObject::DefinedByMetaItem() {
    if (m_kind != Kind::Symbol) {
        return nullptr;
    }
    const SymbolType* type = m_metamodel->symbolType(m_number);
    if (!type || type->definitionType == 0 || !m_metamodel->definitionType(type->definitionType)) {
        return nullptr;
    }
    return std::make_shared<MetaItemObject>(m_metamodel, Kind::Definition, type->definitionType);
}

host::CollectionPtr<host::IMetaItem> MetaItemObject::SupportedMetaItems() {
    std::vector<std::shared_ptr<host::IMetaItem>> items;
    if (m_kind == Kind::Diagram) {
        if (const DiagramType* type = m_metamodel->diagramType(m_number)) {
            for (Long symbolType : type->symbolTypes) {
                if (m_metamodel->symbolType(symbolType)) {
                    items.push_back(std::make_shared<MetaItemObject>(m_metamodel, Kind::Symbol, symbolType));
                }
            }
        }
    }
    return std::make_shared<VectorCollection<host::IMetaItem>>(std::move(items));
}

const std::vector<PropertyDecl>* MetaItemObject::properties() const {
    switch (m_kind) {
    case Kind::Diagram:
        if (const DiagramType* type = m_metamodel->diagramType(m_number)) {
            return &type->properties;
        }
        break;
    case Kind::Symbol:
        if (const SymbolType* type = m_metamodel->symbolType(m_number)) {
            return &type->properties;
        }
        break;
    case Kind::Definition:
        if (const DefinitionType* type = m_metamodel->definitionType(m_number)) {
            return &type->properties;
        }
        break;
    }
    return nullptr;
}

host::CollectionPtr<host::IMetaProperty> MetaItemObject::MetaProperties() {
    std::vector<std::shared_ptr<host::IMetaProperty>> items;
    if (const std::vector<PropertyDecl>* declared = properties()) {
        for (const PropertyDecl& property : *declared) {
            items.push_back(std::make_shared<MetaPropertyObject>(property));
        }
        // Diagrams and symbols also have the properties every diagram or symbol has.
        const std::vector<PropertyDecl>* shared = m_kind == Kind::Diagram  ? &m_metamodel->diagramProperties
                                                  : m_kind == Kind::Symbol ? &m_metamodel->symbolProperties
                                                                           : nullptr;
        if (shared) {
            for (const PropertyDecl& property : *shared) {
                items.push_back(std::make_shared<MetaPropertyObject>(property));
            }
        }
    }
    return std::make_shared<VectorCollection<host::IMetaProperty>>(std::move(items));
}

} // namespace km::kemora
