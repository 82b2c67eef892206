#pragma once
#include "Database.h"
#include "IStore.h"
#include <unordered_map>

namespace km::kemora {

/// How SqliteStore treats the file.
enum class OpenMode {
    Create,       ///< a new encyclopedia: the file must not exist (or be ":memory:")
    Open,         ///< an existing encyclopedia: the file must exist and be one
    OpenOrCreate, ///< either
};

/// The store of one encyclopedia in one SQLite file (WAL mode, foreign keys on, 10 s busy
/// timeout so that two processes can share the file). Nested begin calls use savepoints, and so
/// do the mutating calls of several statements, so that a failing call has no effect.
/// Files written before hierarchy positions were declared INTEGER hold them in a REAL column;
/// they are whole numbers there too, read and ordered alike, so both forms are used as they are.
class SqliteStore : public IStore {
public:
    SqliteStore(const std::string& path, OpenMode mode);
    ~SqliteStore() override;

    /// True when the file was created by this constructor call (the caller then lays the base files).
    bool created() const { return m_created; }

    std::string path() const override { return m_path; }
    void begin() override;
    void commit() override;
    void rollback() override;
    bool inTransaction() const override { return m_depth > 0; }
    void beginRead() override;
    void endRead() override;

    Long insertObject(const ObjectRow& row) override;
    std::optional<ObjectRow> object(Long id) override;
    void renameObject(Long id, const std::string& name) override;
    void deleteObject(Long id) override;
    std::optional<Long> objectByName(StoredClass cls, Long type, const std::string& name) override;
    std::vector<Long> objectsOfType(StoredClass cls, Long type, const std::string& pattern) override;
    std::vector<ObjectRow> objects(const std::vector<Long>& ids) override;
    Long countObjects(StoredClass cls) override;

    Long insertSymbol(const SymbolRow& row) override;
    std::optional<SymbolRow> symbol(Long id) override;
    void updateSymbol(const SymbolRow& row) override;
    std::vector<Long> symbolsOfDiagram(Long diagram, Long type, const std::string& name) override;
    std::vector<SymbolRow> symbolsWithin(Long diagram, const Geometry& area) override;
    std::vector<SymbolRow> symbolsContaining(Long diagram, const Geometry& area) override;
    std::vector<Long> symbolsOfDefinition(Long definition) override;

    std::optional<std::string> property(Long id, const std::string& name) override;
    std::map<std::string, std::string> properties(Long id) override;
    void setProperty(Long id, const std::string& name, const std::string& value) override;

    std::vector<Long> listItems(Long owner, const std::string& property) override;
    void setListItems(Long owner, const std::string& property, const std::vector<Long>& items) override;
    std::vector<RelatedRow> listOwners(Long item, const std::string& property) override;
    std::vector<RelatedRow> listEntries(Long owner, const std::string& property) override;

    std::optional<std::string> field(Long symbol, Long number) override;
    void setField(Long symbol, Long number, const std::string& value) override;
    std::map<Long, std::string> fields(Long symbol) override;

    std::vector<Long> hierarchyChildren(Long parent) override;
    std::optional<Long> hierarchyParent(Long child) override;
    void setHierarchyParent(Long child, Long parent, Long after) override;

    bool fileExists(const std::string& name) override;
    std::optional<std::string> readFile(const std::string& name) override;
    void writeFile(const std::string& name, const std::string& content) override;
    void deleteFile(const std::string& name) override;
    std::vector<std::string> fileNames() override;

    std::optional<std::string> lockOwner(Long id) override;
    void lock(Long id, const std::string& owner) override;
    void unlock(Long id) override;

private:
    void createSchema();
    /// Throws StorageError OutsideTransaction unless a transaction is open (the rule of every
    /// mutating call).
    void requireTransaction(const char* call) const;
    /// Runs a transaction control statement (BEGIN, SAVEPOINT, RELEASE, COMMIT, ROLLBACK).
    void control(const std::string& sql);
    void checkSchema();
    /// Id of a property name, interned on first use; nothing for a name never stored when
    /// \p create is false.
    std::optional<Long> propertyId(const std::string& name, bool create);
    static ObjectRow readObject(const Statement& stmt, int first);
    static SymbolRow readSymbol(const Statement& stmt);
    /// Rows (other end, position) of a list query taking an object id and a property id.
    std::vector<RelatedRow> listRows(const std::string& sql, Long id, const std::string& property);
    std::vector<SymbolRow> symbolsInBox(const std::string& sql, Long diagram, const Geometry& area);

    std::string m_path;
    bool m_created = false;
    Database m_db;
    int m_depth = 0;
    int m_readDepth = 0;
    std::unordered_map<std::string, Long> m_propertyIds;
};

} // namespace km::kemora
