#include "MetaModelObject.h"
#include "MetaItemObject.h"
#include "ObjectCollection.h"
#include "host/HostError.h"

namespace km::kemora {

std::shared_ptr<host::IMetaClass> MetaModelObject::MetaClasses(Long classNumber) {
    if (classNumber < static_cast<Long>(host::ObjectClass::Diagram) ||
        classNumber > static_cast<Long>(host::ObjectClass::Definition)) {
        throw host::HostError(host::HostErrorCode::NotFound,
                              "There is no meta class " + std::to_string(classNumber) + " (1 to 3).");
    }
    return std::make_shared<MetaClassObject>(m_metamodel, classNumber);
}

std::shared_ptr<host::IMetaItem> MetaClassObject::MetaItems(Long typeNumber) {
    bool known = m_class == host::ObjectClass::Diagram  ? m_metamodel->diagramType(typeNumber) != nullptr
                 : m_class == host::ObjectClass::Symbol ? m_metamodel->symbolType(typeNumber) != nullptr
                                                        : m_metamodel->definitionType(typeNumber) != nullptr;
    if (!known) {
        return nullptr;
    }
    return std::make_shared<MetaItemObject>(m_metamodel, m_class, typeNumber);
}

host::CollectionPtr<host::IMetaItem> MetaClassObject::SupportedMetaItems() {
    std::vector<std::shared_ptr<host::IMetaItem>> items;
    host::ObjectClass kind = m_class;
    auto add = [&](Long number) { items.push_back(std::make_shared<MetaItemObject>(m_metamodel, kind, number)); };
    if (m_class == host::ObjectClass::Diagram) {
        for (const DiagramType& type : m_metamodel->diagramTypes) {
            add(type.number);
        }
    } else if (m_class == host::ObjectClass::Symbol) {
        for (const SymbolType& type : m_metamodel->symbolTypes) {
            add(type.number);
        }
    } else {
        for (const DefinitionType& type : m_metamodel->definitionTypes) {
            add(type.number);
        }
    }
    return std::make_shared<VectorCollection<host::IMetaItem>>(std::move(items));
}

} // namespace km::kemora
