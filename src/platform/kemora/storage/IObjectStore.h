#pragma once
#include "StoreRows.h"
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace km::kemora {

/// Objects (one id space for definitions, diagrams and symbols; ids are never reused), their
/// text properties, list properties and hierarchy links.
class IObjectStore {
public:
    virtual ~IObjectStore() = default;

    /// Answers the new id (row.id is ignored). A definition or diagram whose name (without regard
    /// to case) is taken within its class and type: HostError DuplicateName.
    virtual Long insertObject(const ObjectRow& row) = 0;
    virtual std::optional<ObjectRow> object(Long id) = 0;
    /// A taken name as for insertObject: HostError DuplicateName.
    virtual void renameObject(Long id, const std::string& name) = 0;
    /// Deletes the object with its properties, relations (both ends), fields, hierarchy links and
    /// lock; a diagram with its symbols.
    virtual void deleteObject(Long id) = 0;
    /// The definition or diagram of that type and name (without regard to case).
    virtual std::optional<Long> objectByName(StoredClass cls, Long type, const std::string& name) = 0;
    /// Ids of the definitions or diagrams of a type (0: all types) matching a name pattern
    /// (without regard to case, '*' any run of characters, "" all), ordered by name then id.
    virtual std::vector<Long> objectsOfType(StoredClass cls, Long type, const std::string& pattern) = 0;
    /// Rows of many objects at once (missing ids are left out), in the order given.
    virtual std::vector<ObjectRow> objects(const std::vector<Long>& ids) = 0;
    virtual Long countObjects(StoredClass cls) = 0;

    // Text properties.
    virtual std::optional<std::string> property(Long id, const std::string& name) = 0;
    virtual std::map<std::string, std::string> properties(Long id) = 0;
    /// Sets a property; an empty value removes it.
    virtual void setProperty(Long id, const std::string& name, const std::string& value) = 0;

    // List properties: ordered relations from an owner to items (positions 1, 2, ...).
    virtual std::vector<Long> listItems(Long owner, const std::string& property) = 0;
    virtual void setListItems(Long owner, const std::string& property, const std::vector<Long>& items) = 0;
    /// Owners whose list \p property holds \p item, with the item's position in each list,
    /// ordered by owner then position.
    virtual std::vector<RelatedRow> listOwners(Long item, const std::string& property) = 0;
    /// Items of \p owner's list with their positions.
    virtual std::vector<RelatedRow> listEntries(Long owner, const std::string& property) = 0;

    // Hierarchies (relation 41).
    virtual std::vector<Long> hierarchyChildren(Long parent) = 0;
    virtual std::optional<Long> hierarchyParent(Long child) = 0;
    /// Makes \p child a child of \p parent right after \p after (0: as the first child;
    /// an id that is no child of \p parent: as the last).
    virtual void setHierarchyParent(Long child, Long parent, Long after) = 0;
};

} // namespace km::kemora
