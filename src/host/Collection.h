#pragma once
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Types.h"
#include <cstddef>
#include <iterator>
#include <memory>

namespace km::host {

using rt::Long;

/// A host collection: 1-based Item, count, IsMoreThan, readall and iteration.
/// Collections may load their items lazily; readall makes every item resident (the add-in calls
/// it before walking a collection whose objects it is about to change).
template <class T> class ICollection {
public:
    virtual ~ICollection() = default;

    virtual Long count() = 0;
    /// The item at a 1-based position; HostError NotFound for positions outside 1..count.
    virtual std::shared_ptr<T> Item(Long index) = 0;
    virtual bool IsMoreThan(Long n) { return count() > n; }
    virtual void readall() = 0;

    class iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = std::shared_ptr<T>;
        using difference_type = std::ptrdiff_t;
        iterator(ICollection* owner, Long index) : m_owner(owner), m_index(index) {}
        std::shared_ptr<T> operator*() const { return m_owner->Item(m_index); }
        iterator& operator++() {
            ++m_index;
            return *this;
        }
        bool operator==(const iterator& other) const { return m_index == other.m_index; }

    private:
        ICollection* m_owner;
        Long m_index;
    };
    iterator begin() { return iterator(this, 1); }
    iterator end() { return iterator(this, count() + 1); }
};

/// A shared pointer to a host collection that can be walked directly:
///     for (auto symbol : diagram->GetAllSymbols()) ...
/// Dereferencing it with '*' is not offered: in `for (auto x : *f())` the collection returned by
/// f() would be destroyed before the loop runs. Walking an empty pointer raises error 91, as
/// walking Nothing does.
template <class C> class HostCollectionPtr : public std::shared_ptr<C> {
public:
    HostCollectionPtr() = default;
    HostCollectionPtr(std::nullptr_t) {}
    template <class U> HostCollectionPtr(std::shared_ptr<U> pointer) : std::shared_ptr<C>(std::move(pointer)) {}

    C& operator*() const = delete;
    auto begin() const { return require().begin(); }
    auto end() const { return require().end(); }

private:
    C& require() const {
        if (!this->get()) {
            throw rt::RuntimeError(rt::ErrorNumber::ObjectNotSet);
        }
        return *this->get();
    }
};

template <class T> using CollectionPtr = HostCollectionPtr<ICollection<T>>;

} // namespace km::host
