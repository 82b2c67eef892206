#include "Statement.h"
#include "SqliteErrors.h"

namespace km::kemora {

Statement::~Statement() {
    if (m_stmt) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
}

Statement& Statement::bind(int index, std::int64_t value) {
    if (int rc = sqlite3_bind_int64(m_stmt, index, value); rc != SQLITE_OK) {
        fail(rc);
    }
    return *this;
}

Statement& Statement::bind(int index, std::string_view value) {
    if (int rc = sqlite3_bind_text(m_stmt, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
        rc != SQLITE_OK) {
        fail(rc);
    }
    return *this;
}

Statement& Statement::bindBlob(int index, std::string_view value) {
    if (int rc = sqlite3_bind_blob(m_stmt, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
        rc != SQLITE_OK) {
        fail(rc);
    }
    return *this;
}

Statement& Statement::bindNull(int index) {
    if (int rc = sqlite3_bind_null(m_stmt, index); rc != SQLITE_OK) {
        fail(rc);
    }
    return *this;
}

bool Statement::step() {
    int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    fail(rc);
}

void Statement::run() {
    while (step()) {
    }
}

std::string Statement::text(int column) const {
    auto* data = reinterpret_cast<const char*>(sqlite3_column_blob(m_stmt, column));
    int size = sqlite3_column_bytes(m_stmt, column);
    return data ? std::string(data, static_cast<size_t>(size)) : std::string();
}

void Statement::fail(int code) const {
    throwSqliteError(code, sqliteMessage(code, m_db));
}

} // namespace km::kemora
