#include "MetaModelObject.h"
#include "MetaItemObject.h"
#include "ObjectCollection.h"
#include "host/HostError.h"

namespace km::kemora {

std::shared_ptr<host::IMetaClass> MetaModelObject::MetaClasses(Long classNumber) {
    if (classNumber < 1 || classNumber > 3)
        throw host::HostError(host::HostErrorCode::NotFound,
                              "There is no meta class " + std::to_string(classNumber) + " (1 to 3).");
    return std::make_shared<MetaClassObject>(m_metamodel, classNumber);
}

std::shared_ptr<host::IMetaItem> MetaClassObject::MetaItems(Long typeNumber) {
    bool known = m_class == 1   ? m_metamodel->diagramType(typeNumber) != nullptr
                 : m_class == 2 ? m_metamodel->symbolType(typeNumber) != nullptr
                                : m_metamodel->definitionType(typeNumber) != nullptr;
    if (!known)
        return nullptr;
    return std::make_shared<MetaItemObject>(m_metamodel, static_cast<MetaItemObject::Kind>(m_class), typeNumber);
}

host::CollectionPtr<host::IMetaItem> MetaClassObject::SupportedMetaItems() {
    std::vector<std::shared_ptr<host::IMetaItem>> items;
    auto kind = static_cast<MetaItemObject::Kind>(m_class);
    auto add = [&](Long number) { items.push_back(std::make_shared<MetaItemObject>(m_metamodel, kind, number)); };
    if (m_class == 1)
        for (const DiagramType& type : m_metamodel->diagramTypes)
            add(type.number);
    else if (m_class == 2)
        for (const SymbolType& type : m_metamodel->symbolTypes)
            add(type.number);
    else
        for (const DefinitionType& type : m_metamodel->definitionTypes)
            add(type.number);
    return std::make_shared<VectorCollection<host::IMetaItem>>(std::move(items));
}

} // namespace km::kemora
