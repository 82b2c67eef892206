#pragma once
// The platform's keyed, insertion-ordered collection: 1-based positions, an optional text key per
// entry compared without regard to case, insertion before or after a position.
//
// Errors, as the platform raises them:
//   Add with a key already in use        -> RuntimeError 457 (key already in use)
//   Add with before/after out of range   -> RuntimeError 5 (invalid call)
//   Add with both before and after       -> RuntimeError 5 (invalid call)
//   Item/Remove with a position < 1 or > count -> RuntimeError 9 (subscript out of range)
//   Item/Remove with an unknown key      -> RuntimeError 5 (invalid call)
//
// Lookups by key are O(1) on average; insertion before a position and removal are O(n) (a move of
// pointers). Entries live at stable addresses, so the key index points straight at them; positions
// of keys (indexOf, Remove by key) are renumbered lazily after insertions and removals.
#include "RuntimeError.h"
#include "Text.h"
#include "Types.h"
#include <algorithm>
#include <cassert>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace km::rt {

template <class T> class Collection {
    struct Entry {
        T item;
        std::string key;          // as given; "" for an entry without key
        std::size_t position = 0; // 0-based; trusted only below m_staleFrom
    };
    using Entries = std::vector<std::unique_ptr<Entry>>;

    template <class Value, class Base> class BasicIterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = Value*;
        using reference = Value&;

        BasicIterator() = default;
        explicit BasicIterator(Base it) : m_it(it) {}
        reference operator*() const { return (*m_it)->item; }
        pointer operator->() const { return &(*m_it)->item; }
        BasicIterator& operator++() {
            ++m_it;
            return *this;
        }
        BasicIterator operator++(int) {
            BasicIterator old = *this;
            ++m_it;
            return old;
        }
        friend bool operator==(const BasicIterator& a, const BasicIterator& b) { return a.m_it == b.m_it; }

    private:
        Base m_it{};
    };

public:
    using iterator = BasicIterator<T, typename Entries::iterator>;
    using const_iterator = BasicIterator<const T, typename Entries::const_iterator>;

    Collection() = default;
    Collection(Collection&&) noexcept = default;
    Collection& operator=(Collection&&) noexcept = default;
    Collection(const Collection& other) { copyFrom(other); }
    Collection& operator=(const Collection& other) {
        if (this != &other) {
            Collection copy(other);
            *this = std::move(copy);
        }
        return *this;
    }

    Long count() const { return static_cast<Long>(m_entries.size()); }

    /// Adds an item, with an optional key, at the end or before/after a 1-based position (0 = not
    /// given). Errors 457 for a key in use, 5 for a bad position or both positions given.
    void Add(T item, std::string_view key = {}, Long before = 0, Long after = 0) {
        const std::size_t at = insertionIndex(before, after);
        std::string folded = foldCase(key);
        if (!key.empty() && m_byKey.count(folded) != 0) {
            throw RuntimeError(ErrorNumber::KeyInUse);
        }
        auto entry = std::make_unique<Entry>(Entry{std::move(item), std::string(key), at});
        Entry* raw = entry.get();
        m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
        m_staleFrom = m_staleFrom == at ? at + 1 : std::min(m_staleFrom, at);
        if (!key.empty()) {
            m_byKey.emplace(std::move(folded), raw);
        }
    }

    T& Item(Long index) { return m_entries[checkedIndex(index)]->item; }
    const T& Item(Long index) const { return m_entries[checkedIndex(index)]->item; }
    T& Item(std::string_view key) { return entryOf(key).item; }
    const T& Item(std::string_view key) const { return entryOf(key).item; }

    /// The item of a key, nullptr when absent; never throws.
    T* find(std::string_view key) {
        Entry* entry = findEntry(key);
        return entry != nullptr ? &entry->item : nullptr;
    }
    const T* find(std::string_view key) const {
        const Entry* entry = findEntry(key);
        return entry != nullptr ? &entry->item : nullptr;
    }
    bool contains(std::string_view key) const { return findEntry(key) != nullptr; }
    /// The 1-based position of a key, 0 when absent; never throws.
    Long indexOf(std::string_view key) const {
        const Entry* entry = findEntry(key);
        return entry != nullptr ? static_cast<Long>(positionOf(entry)) + 1 : 0;
    }

    /// The key of the entry at a 1-based position as it was given ("" for an entry without key);
    /// error 9 for a bad position.
    std::string keyAt(Long index) const { return m_entries[checkedIndex(index)]->key; }

    void Remove(Long index) { eraseAt(checkedIndex(index)); }
    void Remove(std::string_view key) { eraseAt(positionOf(&entryOf(key))); }

    void clear() {
        m_byKey.clear();
        m_entries.clear();
        m_staleFrom = 0;
    }

    iterator begin() { return iterator(m_entries.begin()); }
    iterator end() { return iterator(m_entries.end()); }
    const_iterator begin() const { return const_iterator(m_entries.begin()); }
    const_iterator end() const { return const_iterator(m_entries.end()); }

private:
    std::size_t checkedIndex(Long index) const {
        if (index < 1 || index > count()) {
            throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
        }
        return static_cast<std::size_t>(index - 1);
    }

    std::size_t insertionIndex(Long before, Long after) const {
        if (before != 0 && after != 0) {
            throw RuntimeError(ErrorNumber::InvalidCall);
        }
        if (before != 0 || after != 0) {
            const Long position = before != 0 ? before : after;
            if (position < 1 || position > count()) {
                throw RuntimeError(ErrorNumber::InvalidCall);
            }
            return static_cast<std::size_t>(before != 0 ? position - 1 : position);
        }
        return m_entries.size();
    }

    Entry* findEntry(std::string_view key) const {
        if (key.empty()) {
            return nullptr;
        }
        const auto it = m_byKey.find(foldCase(key));
        return it != m_byKey.end() ? it->second : nullptr;
    }

    Entry& entryOf(std::string_view key) const {
        Entry* entry = findEntry(key);
        if (entry == nullptr) {
            throw RuntimeError(ErrorNumber::InvalidCall);
        }
        return *entry;
    }

    void eraseAt(std::size_t at) {
        if (!m_entries[at]->key.empty()) {
            m_byKey.erase(foldCase(m_entries[at]->key));
        }
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(at));
        m_staleFrom = std::min(m_staleFrom, at);
    }

    // Positions are renumbered lazily: insertions and removals only lower m_staleFrom, so appending
    // never renumbers anything.
    std::size_t positionOf(const Entry* entry) const {
        if (entry->position < m_staleFrom && m_entries[entry->position].get() == entry) {
            return entry->position;
        }
        // Renumber only as far as the entry: removing keys front to back then costs nothing extra.
        for (std::size_t i = m_staleFrom; i < m_entries.size(); ++i) {
            m_entries[i]->position = i;
            if (m_entries[i].get() == entry) {
                m_staleFrom = i + 1;
                return i;
            }
        }
        assert(false && "a keyed entry is always in the list");
        return 0;
    }

    void copyFrom(const Collection& other) {
        m_entries.reserve(other.m_entries.size());
        for (const auto& entry : other.m_entries) {
            Add(entry->item, entry->key);
        }
    }

    Entries m_entries;
    std::unordered_map<std::string, Entry*> m_byKey; // folded key -> entry
    mutable std::size_t m_staleFrom = 0;             // entries before this index know their position
};

} // namespace km::rt
