// Times the per-definition report the service hierarchy builder runs for every component (one
// identity lookup, one join, an identity legend) in a small and in a million-object encyclopedia,
// against hand-written SQL doing the same lookups on the same file (each report in one read
// transaction on both sides).
//   bench_report_engine [objects...]     (default: 1000 1000000)
#include "../tests/kemora/ReportModel.h"
#include "../tests/kemora/ReportScripts.h"
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sqlite3.h>

using namespace km::kemora;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int servicesPerComponent = 5;

/// A file encyclopedia of about \p count objects: a tenth service components, each providing
/// five of the services, which make up half; the rest applications.
std::vector<Long> populate(SqliteStore& store, long count) {
    Transaction transaction(store);
    auto add = [&](Long type, const std::string& name) {
        ObjectRow row;
        row.type = type;
        row.name = name;
        return store.insertObject(row);
    };
    std::vector<Long> services;
    std::vector<Long> components;
    for (long i = 0; i < count / 2; ++i)
        services.push_back(add(765, "Service " + std::to_string(i)));
    for (long i = 0; i < count / 10; ++i)
        components.push_back(add(618, "Component " + std::to_string(i)));
    for (long i = 0; i < count - count / 2 - count / 10; ++i)
        add(309, "Application " + std::to_string(i));
    std::mt19937 random(7);
    for (Long component : components) {
        std::vector<Long> provided;
        for (int k = 0; k < servicesPerComponent; ++k)
            provided.push_back(services[random() % services.size()]);
        store.setListItems(component, "Provides Services", provided);
    }
    transaction.commit();
    return components;
}

double engineMicros(SqliteStore& store, const Metamodel& metamodel, const std::vector<Long>& components, int runs) {
    const std::string script = test::prepared(test::hierarchyScript(618, "provides", 765));
    ReportEngine engine(store, metamodel);
    std::mt19937 random(11);
    size_t bytes = 0;
    const auto start = Clock::now();
    for (int i = 0; i < runs; ++i) {
        const Long id = components[random() % components.size()];
        bytes += engine.run(test::replaced(script, "#DDIDS#", std::to_string(id))).size();
    }
    const double micros = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / runs;
    return bytes ? micros : -1;
}

double sqlMicros(const std::string& path, const std::vector<Long>& components, int runs) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* owner = nullptr;
    sqlite3_stmt* items = nullptr;
    sqlite3_prepare_v2(db, "SELECT class, type, name FROM objects WHERE id = ?", -1, &owner, nullptr);
    sqlite3_prepare_v2(db,
                       "SELECT o.id, o.class, o.type, o.name FROM lists l JOIN objects o ON o.id = l.item "
                       "WHERE l.owner = ? AND l.prop = (SELECT id FROM propnames WHERE name = 'Provides Services') "
                       "ORDER BY l.seq",
                       -1, &items, nullptr);
    std::mt19937 random(11);
    size_t found = 0;
    const auto start = Clock::now();
    for (int i = 0; i < runs; ++i) {
        const Long id = components[random() % components.size()];
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_bind_int(owner, 1, id);
        while (sqlite3_step(owner) == SQLITE_ROW)
            found += sqlite3_column_int(owner, 1) == 618;
        sqlite3_reset(owner);
        sqlite3_bind_int(items, 1, id);
        while (sqlite3_step(items) == SQLITE_ROW)
            found += sqlite3_column_bytes(items, 3) > 0;
        sqlite3_reset(items);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    const double micros = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / runs;
    sqlite3_finalize(owner);
    sqlite3_finalize(items);
    sqlite3_close(db);
    return found ? micros : -1;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<long> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atol(argv[i]));
    if (sizes.empty())
        sizes = {1000, 1000000};
    const Metamodel metamodel = test::reportMetamodel();
    constexpr int runs = 20000;
    std::printf("%12s %14s %14s %8s\n", "objects", "engine us/run", "SQL us/run", "ratio");
    for (long size : sizes) {
        const std::string path =
            (std::filesystem::temp_directory_path() / ("bench_report_" + std::to_string(size) + ".kmdb")).string();
        std::filesystem::remove(path);
        std::vector<Long> components;
        {
            SqliteStore store(path, OpenMode::Create);
            components = populate(store, size);
        }
        SqliteStore store(path, OpenMode::Open);
        engineMicros(store, metamodel, components, runs / 10); // warm the caches
        const double engine = engineMicros(store, metamodel, components, runs);
        const double sql = sqlMicros(path, components, runs);
        std::printf("%12ld %14.2f %14.2f %8.2f\n", size, engine, sql, engine / sql);
        std::filesystem::remove(path);
        std::filesystem::remove(path + "-wal");
        std::filesystem::remove(path + "-shm");
    }
    return 0;
}
