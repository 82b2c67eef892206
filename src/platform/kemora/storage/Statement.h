#pragma once
#include "platform/runtime/Types.h"
#include <optional>
#include <sqlite3.h>
#include <string>
#include <string_view>

namespace km::kemora {

/// A prepared SQLite statement, reset and unbound when the wrapper goes out of scope so that the
/// owning cache can hand it out again.
class Statement {
public:
    Statement(sqlite3* db, sqlite3_stmt* stmt) : m_db(db), m_stmt(stmt) {}
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement(Statement&& other) noexcept : m_db(other.m_db), m_stmt(other.m_stmt) { other.m_stmt = nullptr; }

    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, std::string_view value);
    Statement& bindBlob(int index, std::string_view value);
    Statement& bindNull(int index);

    /// Advances to the next row; false when done. Throws StorageError on failure.
    bool step();
    /// Runs a statement that returns no rows.
    void run();

    std::int64_t integer(int column) const { return sqlite3_column_int64(m_stmt, column); }
    rt::Long longValue(int column) const { return static_cast<rt::Long>(sqlite3_column_int64(m_stmt, column)); }
    std::string text(int column) const;
    bool isNull(int column) const { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }

private:
    [[noreturn]] void fail(int code) const;
    sqlite3* m_db;
    sqlite3_stmt* m_stmt;
};

} // namespace km::kemora
