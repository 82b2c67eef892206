#pragma once
#include "StorageError.h"
#include <sqlite3.h>
#include <string>

namespace km::kemora {

/// The kind of failure a SQLite result code (primary or extended) stands for.
StorageFailure sqliteFailure(int code);

/// The connection's message for a failed call (the code's own text when there is none).
std::string sqliteMessage(int code, sqlite3* db);

/// Throws the StorageError of a failed SQLite call with result code \p code: its kind and driver
/// code come from the code, the description is "Encyclopedia storage error: " and \p what.
[[noreturn]] void throwSqliteError(int code, const std::string& what);

} // namespace km::kemora
