#pragma once
#include "host/Collection.h"
#include "host/HostError.h"
#include <functional>
#include <string>
#include <vector>

namespace km::kemora {

using rt::Long;

/// A host collection over object ids that loads each object when it is first asked for, so that
/// a collection of a million definitions costs a million ids, not a million objects.
template <class T> class ObjectCollection : public host::ICollection<T> {
public:
    using Loader = std::function<std::shared_ptr<T>(Long id)>;

    ObjectCollection(std::vector<Long> ids, Loader loader)
        : m_ids(std::move(ids)), m_loaded(m_ids.size()), m_loader(std::move(loader)) {}

    Long count() override { return static_cast<Long>(m_ids.size()); }

    std::shared_ptr<T> Item(Long index) override {
        if (index < 1 || index > count()) {
            throw host::HostError(host::HostErrorCode::NotFound, "There is no item " + std::to_string(index) +
                                                                     " in a collection of " + std::to_string(count()) +
                                                                     ".");
        }
        auto& slot = m_loaded[static_cast<size_t>(index - 1)];
        if (!slot) {
            slot = m_loader(m_ids[static_cast<size_t>(index - 1)]);
        }
        return slot;
    }

    void readall() override {
        for (Long i = 1; i <= count(); ++i) {
            Item(i);
        }
    }

    const std::vector<Long>& ids() const { return m_ids; }

private:
    std::vector<Long> m_ids;
    std::vector<std::shared_ptr<T>> m_loaded;
    Loader m_loader;
};

/// A lazy collection whose loader answers nothing for an object deleted since the ids were read;
/// asking for such an item raises HostError Deleted naming \p what ("symbol", "definition" ...).
template <class T, class Load>
host::CollectionPtr<T> lazyCollection(std::vector<Long> ids, Load load, const std::string& what) {
    return std::make_shared<ObjectCollection<T>>(std::move(ids), [load, what](Long id) -> std::shared_ptr<T> {
        std::shared_ptr<T> object = load(id);
        if (!object) {
            throw host::HostError(host::HostErrorCode::Deleted, "A " + what + " of the collection has been deleted.");
        }
        return object;
    });
}

/// A host collection over objects that exist already.
template <class T> class VectorCollection : public host::ICollection<T> {
public:
    explicit VectorCollection(std::vector<std::shared_ptr<T>> items) : m_items(std::move(items)) {}
    Long count() override { return static_cast<Long>(m_items.size()); }
    std::shared_ptr<T> Item(Long index) override {
        if (index < 1 || index > count()) {
            throw host::HostError(host::HostErrorCode::NotFound, "There is no item " + std::to_string(index) +
                                                                     " in a collection of " + std::to_string(count()) +
                                                                     ".");
        }
        return m_items[static_cast<size_t>(index - 1)];
    }
    void readall() override {}

private:
    std::vector<std::shared_ptr<T>> m_items;
};

} // namespace km::kemora
