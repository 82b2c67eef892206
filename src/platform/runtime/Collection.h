#pragma once
// The platform's keyed, insertion-ordered collection: 1-based positions, an optional text key per
// entry compared without regard to case, insertion before or after a position.
//
// Errors, as the platform raises them:
//   Add with a key already in use        -> RuntimeError 457 (key already in use)
//   Add with before/after out of range   -> RuntimeError 5 (invalid call)
//   Item/Remove with a position < 1 or > count -> RuntimeError 9 (subscript out of range)
//   Item/Remove with an unknown key      -> RuntimeError 5 (invalid call)
//
// Lookups by key are O(1) on average; insertion before a position is O(n).
//
// Interface (implemented in this header):
//   template <class T> class Collection {
//     Long count() const;
//     void Add(T item, std::string_view key = {}, Long before = 0, Long after = 0);
//     T& Item(Long index);              const T& Item(Long index) const;
//     T& Item(std::string_view key);    const T& Item(std::string_view key) const;
//     T* find(std::string_view key);    // nullptr when absent, never throws
//     bool contains(std::string_view key) const;
//     std::string keyAt(Long index) const; // "" for an entry without key
//     void Remove(Long index);  void Remove(std::string_view key);
//     void clear();
//     begin()/end() iterate the items (T&) in order.
//   };
