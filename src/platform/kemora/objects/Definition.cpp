#include "Definition.h"
#include "Encyclopedia.h"
#include "MetaItemObject.h"
#include "platform/kemora/metamodel/NameQuoting.h"

namespace km::kemora {

std::string Definition::Name() {
    checkAlive();
    const DefinitionType* type = m_encyclopedia->metamodel().definitionType(m_row.type);
    if (type && type->qualified) {
        return NameQuoting::qualifiedParts(m_row.name).back();
    }
    return m_row.name;
}

std::string Definition::QualifiedName() {
    checkAlive();
    return m_row.name;
}

std::string Definition::TypeName() {
    const DefinitionType* type = m_encyclopedia->metamodel().definitionType(m_row.type);
    return type ? type->name : std::string();
}

std::shared_ptr<host::IMetaItem> Definition::MetaItem() {
    const DefinitionType* type = m_encyclopedia->metamodel().definitionType(m_row.type);
    if (!type) {
        return nullptr;
    }
    return std::make_shared<MetaItemObject>(m_encyclopedia->sharedMetamodel(), MetaItemObject::Kind::Definition,
                                            type->number);
}

void Definition::Delete() {
    checkWritable();
    Transaction transaction(m_encyclopedia->store());
    m_encyclopedia->store().deleteObject(m_row.id);
    transaction.commit();
    markDeleted();
    m_encyclopedia->forget(m_row.id);
}

const PropertyDecl* Definition::findProperty(const std::string& name) const {
    return m_encyclopedia->metamodel().definitionProperty(m_row.type, name);
}

} // namespace km::kemora
