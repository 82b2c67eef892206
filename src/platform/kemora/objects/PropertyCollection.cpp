#include "PropertyCollection.h"
#include "Definition.h"
#include "Encyclopedia.h"
#include "StoredObject.h"
#include "host/HostError.h"

namespace km::kemora {

PropertyCollection::PropertyCollection(std::shared_ptr<host::IKMObject> owner, StoredObject* state,
                                       const PropertyDecl& property, std::vector<Long> ids)
    : m_owner(std::move(owner)), m_state(state), m_property(property), m_ids(std::move(ids)), m_loaded(m_ids.size()) {}

void PropertyCollection::checkIndex(Long index) const {
    if (index < 1 || index > static_cast<Long>(m_ids.size())) {
        throw host::HostError(host::HostErrorCode::NotFound,
                              "There is no item " + std::to_string(index) + " in \"" + m_property.name + "\".");
    }
}

std::shared_ptr<host::IDefinition> PropertyCollection::Item(Long index) {
    checkIndex(index);
    auto& slot = m_loaded[static_cast<size_t>(index - 1)];
    if (!slot) {
        slot = m_state->encyclopedia().loadDefinition(m_ids[static_cast<size_t>(index - 1)]);
    }
    if (!slot) {
        throw host::HostError(host::HostErrorCode::NotFound,
                              "Item " + std::to_string(index) + " of \"" + m_property.name + "\" no longer exists.");
    }
    return slot;
}

void PropertyCollection::readall() {
    for (Long i = 1; i <= count(); ++i) {
        Item(i);
    }
}

void PropertyCollection::Add(const std::shared_ptr<host::IDefinition>& item) {
    if (!item) {
        throw host::HostError(host::HostErrorCode::BadValue, "Nothing to add to \"" + m_property.name + "\".");
    }
    if (m_property.listType != 0 && item->kmtype() != m_property.listType) {
        throw host::HostError(host::HostErrorCode::BadValue,
                              "\"" + item->Name() + "\" is not of the type \"" + m_property.name + "\" lists.");
    }
    m_ids.push_back(item->ddid());
    m_loaded.push_back(item);
}

void PropertyCollection::Remove(Long index) {
    checkIndex(index);
    m_ids.erase(m_ids.begin() + (index - 1));
    m_loaded.erase(m_loaded.begin() + (index - 1));
}

void PropertyCollection::setProperty() {
    m_state->setListIds(m_property, m_ids);
}

} // namespace km::kemora
