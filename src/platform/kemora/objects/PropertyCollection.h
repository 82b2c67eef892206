#pragma once
#include "host/IDefinition.h"
#include "host/IPropertyCollection.h"
#include "platform/kemora/metamodel/Metamodel.h"
#include <memory>
#include <vector>

namespace km::kemora {

class StoredObject;

/// The items of one list property of one object. Add and Remove change this collection only;
/// setProperty hands it back to the owner, where it waits for the owner's save.
class PropertyCollection : public host::IPropertyCollection {
public:
    PropertyCollection(std::shared_ptr<host::IKMObject> owner, StoredObject* state, const PropertyDecl& property,
                       std::vector<Long> ids);

    Long count() override { return static_cast<Long>(m_ids.size()); }
    std::shared_ptr<host::IDefinition> Item(Long index) override;
    void readall() override;
    void Add(const std::shared_ptr<host::IDefinition>& item) override;
    void Remove(Long index) override;
    void setProperty() override;

private:
    void checkIndex(Long index) const;

    std::shared_ptr<host::IKMObject> m_owner; // keeps the owner alive while the list is used
    StoredObject* m_state;
    const PropertyDecl& m_property;
    std::vector<Long> m_ids;
    std::vector<std::shared_ptr<host::IDefinition>> m_loaded;
};

} // namespace km::kemora
