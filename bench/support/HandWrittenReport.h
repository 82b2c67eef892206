#pragma once
#include "ReportScenario.h"
#include <sqlite3.h>
#include <string>

namespace km::bench {

/// The yardstick for the report engine: the same per-definition report written by hand with the
/// sqlite3 C API on its own read-only connection to the encyclopedia file (prepared statements,
/// one join per report), writing the result XML as the engine lays it out. It knows the store's
/// tables, which is exactly what the engine spares its callers from.
class HandWrittenReport {
public:
    /// Opens \p path read-only; throws std::runtime_error when it cannot.
    HandWrittenReport(const std::string& path, const ReportScenario& scenario);
    ~HandWrittenReport();
    HandWrittenReport(const HandWrittenReport&) = delete;
    HandWrittenReport& operator=(const HandWrittenReport&) = delete;

    /// The report for one owner, read in one read transaction as the engine reads it.
    std::string run(Long ownerId);

private:
    std::string report(Long ownerId);
    sqlite3_stmt* prepare(const char* sql);
    [[noreturn]] void fail(const std::string& what) const;
    static void appendEscaped(std::string& out, const unsigned char* text);
    void appendTarget(std::string& out, Long id, const unsigned char* name) const;

    ReportScenario m_scenario;
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_begin = nullptr;
    sqlite3_stmt* m_commit = nullptr;
    sqlite3_stmt* m_owner = nullptr;
    sqlite3_stmt* m_related = nullptr;
    sqlite3_int64 m_property = 0;
};

} // namespace km::bench
