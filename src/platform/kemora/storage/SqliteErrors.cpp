#include "SqliteErrors.h"

namespace km::kemora {

StorageFailure sqliteFailure(int code) {
    if (code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY) {
        return StorageFailure::UniqueViolation;
    }
    if ((code & 0xff) == SQLITE_BUSY) {
        return StorageFailure::Busy;
    }
    return StorageFailure::Other;
}

std::string sqliteMessage(int code, sqlite3* db) {
    std::string message = db ? sqlite3_errmsg(db) : "";
    return message.empty() ? sqlite3_errstr(code) : message;
}

void throwSqliteError(int code, const std::string& what) {
    throw StorageError(sqliteFailure(code), code, "Encyclopedia storage error: " + what);
}

} // namespace km::kemora
