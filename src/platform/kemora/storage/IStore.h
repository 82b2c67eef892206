#pragma once
#include "host/ClassNumbers.h"
#include "host/HostColours.h"
#include "platform/runtime/Types.h"
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace km::kemora {

using rt::Long;

/// Class numbers of stored objects: the host's class numbers.
using StoredClass = host::ObjectClass;

struct ObjectRow {
    Long id = 0;
    StoredClass cls = StoredClass::Definition;
    Long type = 0;
    std::string name;
    Long diagram = 0;    ///< symbols: the diagram they lie on
    Long definition = 0; ///< symbols: the definition they stand for, 0 when none
};

/// A symbol's geometry: right and bottom edges (xpos, ypos), width and height; y downwards.
struct Geometry {
    Long xpos = 0;
    Long ypos = 0;
    Long xsize = 0;
    Long ysize = 0;
    Long left() const { return xpos - xsize; }
    Long top() const { return ypos - ysize; }
};

struct SymbolRow {
    ObjectRow object;
    Geometry geometry;
    Long fillColor = host::colour::white;
    bool selected = false;
};

/// A stored relation step: the object at the other end and the position in its list.
struct RelatedRow {
    Long id = 0;
    Long sequence = 0;
};

/// The persistent store of one encyclopedia. Every mutating call must run inside a transaction
/// (begin/commit, or the Transaction guard); readers see committed data and their own
/// transaction's changes. Failures throw HostError Storage with the underlying message.
/// One implementation stores a SQLite file; the interface is small so that a server database can
/// be added for teams.
class IStore {
public:
    virtual ~IStore() = default;

    virtual std::string path() const = 0;

    // Transactions. begin takes the write lock at once so that two processes never deadlock.
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    virtual bool inTransaction() const = 0;
    /// Starts a read snapshot: until endRead every read sees one committed state (and this
    /// connection's own open transaction). Takes no write lock, so other processes can go on
    /// writing. Nests; inside a transaction it only counts. Do not write inside a snapshot: once
    /// another process has written, the snapshot cannot become a write transaction (Storage error).
    virtual void beginRead() = 0;
    virtual void endRead() = 0;

    // Objects (one id space for definitions, diagrams and symbols).
    virtual Long insertObject(const ObjectRow& row) = 0; ///< row.id ignored; answers the new id
    virtual std::optional<ObjectRow> object(Long id) = 0;
    virtual void renameObject(Long id, const std::string& name) = 0;
    /// Deletes the object with its properties, relations (both ends), fields and hierarchy links.
    virtual void deleteObject(Long id) = 0;
    /// The definition or diagram of that type and name (without regard to case).
    virtual std::optional<Long> objectByName(StoredClass cls, Long type, const std::string& name) = 0;
    /// Ids of the definitions or diagrams of a type (0: all types) matching a name pattern
    /// (without regard to case, '*' any run of characters, "" all), ordered by name then id.
    virtual std::vector<Long> objectsOfType(StoredClass cls, Long type, const std::string& pattern) = 0;
    /// Rows of many objects at once (missing ids are left out), in the order given.
    virtual std::vector<ObjectRow> objects(const std::vector<Long>& ids) = 0;
    virtual Long countObjects(StoredClass cls) = 0;

    // Symbols.
    virtual Long insertSymbol(const SymbolRow& row) = 0;
    virtual std::optional<SymbolRow> symbol(Long id) = 0;
    virtual void updateSymbol(const SymbolRow& row) = 0; ///< geometry, colour, selection, name
    /// Symbols of a diagram in creation order, optionally only of one type (0: all) and one name
    /// (without regard to case; "" any).
    virtual std::vector<Long> symbolsOfDiagram(Long diagram, Long type = 0, const std::string& name = {}) = 0;
    /// Symbols of a diagram whose rectangle lies within \p area (edges included).
    virtual std::vector<SymbolRow> symbolsWithin(Long diagram, const Geometry& area) = 0;
    /// Symbols of a diagram whose rectangle contains \p area (edges included).
    virtual std::vector<SymbolRow> symbolsContaining(Long diagram, const Geometry& area) = 0;
    /// Symbols that stand for a definition.
    virtual std::vector<Long> symbolsOfDefinition(Long definition) = 0;

    // Text properties.
    virtual std::optional<std::string> property(Long id, const std::string& name) = 0;
    virtual std::map<std::string, std::string> properties(Long id) = 0;
    /// Sets a property; an empty value removes it.
    virtual void setProperty(Long id, const std::string& name, const std::string& value) = 0;

    // List properties: ordered relations from an owner to items.
    virtual std::vector<Long> listItems(Long owner, const std::string& property) = 0;
    virtual void setListItems(Long owner, const std::string& property, const std::vector<Long>& items) = 0;
    /// Owners whose list \p property holds \p item, with the item's position in each list.
    virtual std::vector<RelatedRow> listOwners(Long item, const std::string& property) = 0;
    /// Items of \p owner's list with their positions.
    virtual std::vector<RelatedRow> listEntries(Long owner, const std::string& property) = 0;

    // Symbol fields.
    virtual std::optional<std::string> field(Long symbol, Long number) = 0;
    virtual void setField(Long symbol, Long number, const std::string& value) = 0;
    /// Every field of a symbol by number.
    virtual std::map<Long, std::string> fields(Long symbol) = 0;

    // Hierarchies (relation 41).
    virtual std::vector<Long> hierarchyChildren(Long parent) = 0;
    virtual std::optional<Long> hierarchyParent(Long child) = 0;
    /// Makes \p child a child of \p parent right after \p after (0: as the first child).
    virtual void setHierarchyParent(Long child, Long parent, Long after) = 0;

    // The file store.
    virtual bool fileExists(const std::string& name) = 0;
    virtual std::optional<std::string> readFile(const std::string& name) = 0;
    virtual void writeFile(const std::string& name, const std::string& content) = 0;
    virtual void deleteFile(const std::string& name) = 0;
    virtual std::vector<std::string> fileNames() = 0;

    // Locks by other users and editors.
    virtual std::optional<std::string> lockOwner(Long id) = 0;
    virtual void lock(Long id, const std::string& owner) = 0;
    virtual void unlock(Long id) = 0;
};

/// Holds a read snapshot for the lifetime of the guard.
class ReadSnapshot {
public:
    explicit ReadSnapshot(IStore& store) : m_store(store) { m_store.beginRead(); }
    ~ReadSnapshot() {
        try {
            m_store.endRead();
        } catch (...) {
        }
    }
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;

private:
    IStore& m_store;
};

/// Runs a block in a transaction: commits on commit(), rolls back when left without it.
class Transaction {
public:
    explicit Transaction(IStore& store) : m_store(store) { m_store.begin(); }
    ~Transaction() {
        if (!m_done) {
            try {
                m_store.rollback();
            } catch (...) {
            }
        }
    }
    void commit() {
        m_store.commit();
        m_done = true;
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    IStore& m_store;
    bool m_done = false;
};

} // namespace km::kemora
