#include "StoredObject.h"
#include "Definition.h"
#include "Encyclopedia.h"
#include "PropertyCollection.h"
#include "PropertyValue.h"
#include "host/HostError.h"
#include "platform/kemora/metamodel/NameQuoting.h"

namespace km::kemora {

using host::HostError;
using host::HostErrorCode;

StoredObject::StoredObject(std::shared_ptr<Encyclopedia> encyclopedia, ObjectRow row)
    : m_encyclopedia(std::move(encyclopedia)), m_row(std::move(row)) {}

void StoredObject::checkAlive() const {
    if (m_deleted) {
        throw HostError(HostErrorCode::Deleted, "The object \"" + m_row.name + "\" has been deleted.");
    }
}

void StoredObject::checkWritable() {
    checkAlive();
    if (m_readOnly) {
        throw HostError(HostErrorCode::ReadOnly,
                        "The object \"" + m_row.name + "\" was opened read-only and cannot be changed.");
    }
}

const PropertyDecl& StoredObject::requireProperty(const std::string& name) const {
    if (const PropertyDecl* property = findProperty(name)) {
        return *property;
    }
    throw HostError(HostErrorCode::UnknownProperty, "\"" + name + "\" is not a property of this object's type.");
}

std::string StoredObject::getPropertyText(const std::string& name) {
    checkAlive();
    const PropertyDecl* property = findProperty(name);
    if (!property) {
        return {};
    }
    if (property->isList()) {
        return listText(*property, listIds(*property));
    }
    if (auto pending = m_pendingValues.find(property->name); pending != m_pendingValues.end()) {
        return pending->second;
    }
    return m_encyclopedia->store().property(m_row.id, property->name).value_or(std::string());
}

void StoredObject::setPropertyText(const std::string& name, const std::string& value) {
    checkAlive();
    const PropertyDecl& property = requireProperty(name);
    if (property.isList()) {
        setListIds(property, resolveListText(property, value));
        return;
    }
    m_pendingValues[property.name] = PropertyValue::normalise(property, value);
    markDirty();
}

std::vector<Long> StoredObject::listIds(const PropertyDecl& property) {
    if (auto pending = m_pendingLists.find(property.name); pending != m_pendingLists.end()) {
        return pending->second;
    }
    return m_encyclopedia->store().listItems(m_row.id, property.name);
}

void StoredObject::setListIds(const PropertyDecl& property, std::vector<Long> ids) {
    checkAlive();
    if (property.single && ids.size() > 1) {
        throw HostError(HostErrorCode::BadValue, "\"" + property.name + "\" holds at most one item.");
    }
    m_pendingLists[property.name] = std::move(ids);
    markDirty();
}

std::string StoredObject::listText(const PropertyDecl& property, const std::vector<Long>& ids) {
    (void)property;
    std::string text;
    for (const ObjectRow& item : m_encyclopedia->store().objects(ids)) {
        const DefinitionType* type = m_encyclopedia->metamodel().definitionType(item.type);
        text += (type && type->qualified) ? item.name : NameQuoting::quoteIfNeeded(item.name, false);
        text += "\r\n";
    }
    return text;
}

std::vector<Long> StoredObject::resolveListText(const PropertyDecl& property, const std::string& text) {
    std::vector<Long> ids;
    for (const std::string& line : NameQuoting::listLines(text)) {
        std::shared_ptr<Definition> item;
        if (property.listType != 0) {
            const DefinitionType* type = m_encyclopedia->metamodel().definitionType(property.listType);
            std::string name = (type && type->qualified) ? line : NameQuoting::unquote(line);
            item = m_encyclopedia->definitionNamed(property.listType, name);
        } else {
            item = m_encyclopedia->definitionNamed(0, NameQuoting::unquote(line));
        }
        if (!item) {
            throw HostError(HostErrorCode::BadValue, "\"" + property.name + "\" cannot list \"" + line +
                                                         "\": there is no such definition of the listed type.");
        }
        ids.push_back(item->id());
    }
    return ids;
}

host::PropertyCollectionPtr StoredObject::propertyCollection(const std::string& name,
                                                             std::shared_ptr<host::IKMObject> self) {
    checkAlive();
    const PropertyDecl& property = requireProperty(name);
    if (!property.isList()) {
        throw HostError(HostErrorCode::UnknownProperty, "\"" + name + "\" is not a list property.");
    }
    std::vector<Long> ids = listIds(property);
    // A locked item makes the whole list unreadable, as opening it one by one would.
    if (!m_encyclopedia->openobjectsasreadonly()) {
        for (Long id : ids) {
            if (auto owner = m_encyclopedia->store().lockOwner(id)) {
                throw HostError(HostErrorCode::Locked,
                                "An item of \"" + property.name + "\" is locked by " + *owner + ".");
            }
        }
    }
    return std::make_shared<PropertyCollection>(std::move(self), this, property, std::move(ids));
}

void StoredObject::saveObject() {
    checkWritable();
    IStore& store = m_encyclopedia->store();
    if (m_row.cls == StoredClass::Definition) {
        if (auto owner = store.lockOwner(m_row.id); owner && *owner != m_encyclopedia->userName()) {
            throw HostError(HostErrorCode::Locked, "\"" + m_row.name + "\" is locked by " + *owner + ".");
        }
    }
    if (!store.object(m_row.id)) {
        markDeleted();
        checkAlive();
    }
    Transaction transaction(store);
    for (const auto& [name, value] : m_pendingValues) {
        store.setProperty(m_row.id, name, value);
    }
    for (const auto& [name, ids] : m_pendingLists) {
        store.setListItems(m_row.id, name, ids);
    }
    saveOwnState();
    transaction.commit();
    m_pendingValues.clear();
    m_pendingLists.clear();
    m_dirty = false;
}

} // namespace km::kemora
