#pragma once
#include "Statement.h"
#include <map>
#include <string>

namespace km::kemora {

/// One SQLite connection with a cache of prepared statements.
class Database {
public:
    /// Opens (creating when missing, unless \p mustExist) the file; ":memory:" for a private
    /// in-memory database. Throws StorageError.
    Database(const std::string& path, bool mustExist);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    /// A cached prepared statement for \p sql (prepared on first use).
    Statement prepare(const std::string& sql);
    /// Runs one or more statements without results.
    void exec(const std::string& sql);
    sqlite3* handle() const { return m_db; }
    std::int64_t lastInsertId() const { return sqlite3_last_insert_rowid(m_db); }
    int changes() const { return sqlite3_changes(m_db); }

private:
    sqlite3* m_db = nullptr;
    std::map<std::string, sqlite3_stmt*> m_cache;
};

} // namespace km::kemora
