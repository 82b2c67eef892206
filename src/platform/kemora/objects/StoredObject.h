#pragma once
#include "host/IKMObject.h"
#include "platform/kemora/metamodel/Metamodel.h"
#include "platform/kemora/storage/IStore.h"
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace km::kemora {

class Encyclopedia;

/// What definitions, diagrams and symbols share: the stored row, the property changes that wait
/// for save, and the read-only and deleted states.
class StoredObject {
public:
    StoredObject(std::shared_ptr<Encyclopedia> encyclopedia, ObjectRow row);
    virtual ~StoredObject() = default;

    Long id() const { return m_row.id; }
    const ObjectRow& row() const { return m_row; }
    Encyclopedia& encyclopedia() const { return *m_encyclopedia; }
    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool value) { m_readOnly = value; }
    bool deleted() const { return m_deleted; }
    void markDeleted() { m_deleted = true; }
    /// True when changes wait for save.
    bool dirty() const { return m_dirty; }

    /// The declaration of a property of this object's type, or nothing.
    virtual const PropertyDecl* findProperty(const std::string& name) const = 0;

    std::string getPropertyText(const std::string& name);
    void setPropertyText(const std::string& name, const std::string& value);
    host::PropertyCollectionPtr propertyCollection(const std::string& name, std::shared_ptr<host::IKMObject> self);
    /// The ids of a list property, pending or stored.
    std::vector<Long> listIds(const PropertyDecl& property);
    /// Replaces a list property's items (pending until save).
    void setListIds(const PropertyDecl& property, std::vector<Long> ids);

    /// Writes the pending changes in one transaction; HostError ReadOnly, Deleted, Locked.
    void saveObject();

protected:
    void checkAlive() const;
    void checkWritable();
    void markDirty() { m_dirty = true; }
    /// Writes what a subclass keeps besides properties (symbol geometry and fields), inside the
    /// transaction of saveObject.
    virtual void saveOwnState() {}
    const PropertyDecl& requireProperty(const std::string& name) const;

    std::shared_ptr<Encyclopedia> m_encyclopedia;
    ObjectRow m_row;

private:
    std::string listText(const PropertyDecl& property, const std::vector<Long>& ids);
    std::vector<Long> resolveListText(const PropertyDecl& property, const std::string& text);

    std::map<std::string, std::string> m_pendingValues;      // by declared property name
    std::map<std::string, std::vector<Long>> m_pendingLists; // by declared property name
    bool m_readOnly = false;
    bool m_deleted = false;
    bool m_dirty = false;
};

/// Implements the members of IKMObject for one host interface over StoredObject.
template <class Interface> class KMObject : public Interface, public StoredObject {
public:
    using StoredObject::StoredObject;

    Long ddid() override {
        checkAlive();
        return id();
    }
    std::string Name() override {
        checkAlive();
        return m_row.name;
    }
    host::ObjectClass objectClass() override { return static_cast<host::ObjectClass>(m_row.cls); }
    Long kmtype() override {
        checkAlive();
        return m_row.type;
    }
    std::string GetProperty(const std::string& name) override { return getPropertyText(name); }
    void setProperty(const std::string& name, const std::string& value) override { setPropertyText(name, value); }
    host::PropertyCollectionPtr getpropertyascollection(const std::string& name) override {
        return propertyCollection(name, selfAsObject());
    }
    void save() override { saveObject(); }

protected:
    virtual std::shared_ptr<host::IKMObject> selfAsObject() = 0;
};

} // namespace km::kemora
