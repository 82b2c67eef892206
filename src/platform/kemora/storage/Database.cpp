#include "Database.h"
#include "SqliteErrors.h"

namespace km::kemora {

Database::Database(const std::string& path, bool mustExist) {
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (!mustExist) {
        flags |= SQLITE_OPEN_CREATE;
    }
    if (int rc = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr); rc != SQLITE_OK) {
        std::string message = sqliteMessage(rc, m_db);
        sqlite3_close(m_db);
        m_db = nullptr;
        throwSqliteError(rc, "cannot open \"" + path + "\": " + message);
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, 10000);
}

Database::~Database() {
    for (auto& [sql, stmt] : m_cache) {
        sqlite3_finalize(stmt);
    }
    sqlite3_close(m_db);
}

Statement Database::prepare(const std::string& sql) {
    auto found = m_cache.find(sql);
    if (found != m_cache.end()) {
        return Statement(m_db, found->second);
    }
    sqlite3_stmt* stmt = nullptr;
    if (int rc = sqlite3_prepare_v3(m_db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
        rc != SQLITE_OK) {
        throwSqliteError(rc, sqliteMessage(rc, m_db) + " in: " + sql);
    }
    m_cache.emplace(sql, stmt);
    return Statement(m_db, stmt);
}

void Database::exec(const std::string& sql) {
    char* error = nullptr;
    if (int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error); rc != SQLITE_OK) {
        std::string message = error ? error : sqliteMessage(rc, m_db);
        sqlite3_free(error);
        throwSqliteError(rc, message);
    }
}

} // namespace km::kemora
