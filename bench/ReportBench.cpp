// Report benchmark: runs per-definition reports (one definition by identity, one join, identity
// legends, as the add-in's scripts do) many times on an encyclopedia of a million definitions and
// compares each, in the same run and on the same file, with the same report written by hand in
// SQL. Both must produce the same result XML; the figure that matters is the ratio of medians.
//
//   ReportBench                      build a million-definition file in /tmp, run, delete it
//   ReportBench --file F             use (or build and keep) the bench encyclopedia F
//   ReportBench --smoke              seconds-long run for CI

#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/kemora/report/ReportEngine.h"
#include "platform/kemora/storage/SqliteStore.h"
#include "support/BenchModel.h"
#include "support/FigureTable.h"
#include "support/Format.h"
#include "support/HandWrittenReport.h"
#include "support/Latencies.h"
#include "support/ReportScenario.h"
#include "support/SolutionFiles.h"
#include "support/Stopwatch.h"
#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <random>
#include <unistd.h>

namespace {

using namespace km;
using namespace km::bench;
using kemora::Long;
using kemora::StoredClass;

constexpr double ratioTarget = 3.0;
constexpr std::int64_t warmUpRuns = 200;

struct Options {
    std::int64_t definitions = 1'000'000;
    std::int64_t reports = 10'000;
    std::string file;
    bool smoke = false;
};

const ReportScenario scenarios[] = {
    {"application \"provides\" its services", 309, "provides", "Provides Services", true, 765},
    {"service component \"comprised by\" its domain", 618, "comprised by", "Comprises", false, 619},
    {"service \"provided by\" applications", 765, "provided by", "Provides Services", false, 309},
};

struct ScenarioFigures {
    Latencies engine;
    Latencies handWritten;
    std::int64_t bytes = 0;
    std::int64_t mismatches = 0;
    std::string firstMismatch;
};

std::vector<Long> sampleOwners(kemora::IStore& store, Long type, std::int64_t count) {
    const std::vector<Long> ids = store.objectsOfType(StoredClass::Definition, type, "");
    std::vector<Long> picked;
    if (ids.empty()) {
        return picked;
    }
    std::mt19937_64 random(static_cast<std::uint64_t>(type));
    std::uniform_int_distribution<std::size_t> index(0, ids.size() - 1);
    for (std::int64_t i = 0; i < count; ++i) {
        picked.push_back(ids[index(random)]);
    }
    return picked;
}

/// Runs both on every owner, alternating which goes first so that neither always finds the other's
/// pages in the cache; the scripts are written before the clock starts, as for the SQL.
ScenarioFigures measureScenario(kemora::Encyclopedia& encyclopedia, const std::string& path,
                                const ReportScenario& scenario, std::int64_t reports) {
    kemora::ReportEngine engine(encyclopedia.store(), encyclopedia.metamodel());
    HandWrittenReport handWritten(path, scenario);
    const std::vector<Long> owners = sampleOwners(encyclopedia.store(), scenario.ownerType, reports + warmUpRuns);
    ScenarioFigures figures;
    std::string fromEngine, fromSql;
    for (std::size_t i = 0; i < owners.size(); ++i) {
        const std::string script = scenario.script(owners[i]);
        const bool measured = i >= static_cast<std::size_t>(warmUpRuns);
        auto runEngine = [&] {
            Latencies::Clock::time_point start = Latencies::Clock::now();
            fromEngine = engine.run(script);
            if (measured) {
                figures.engine.add(Latencies::Clock::now() - start);
            }
        };
        auto runSql = [&] {
            Latencies::Clock::time_point start = Latencies::Clock::now();
            fromSql = handWritten.run(owners[i]);
            if (measured) {
                figures.handWritten.add(Latencies::Clock::now() - start);
            }
        };
        if (i % 2 == 0) {
            runEngine();
            runSql();
        } else {
            runSql();
            runEngine();
        }
        if (!measured) {
            continue;
        }
        figures.bytes += static_cast<std::int64_t>(fromEngine.size());
        if (fromEngine != fromSql && figures.mismatches++ == 0) {
            figures.firstMismatch = "engine:\n" + fromEngine + "hand-written SQL:\n" + fromSql;
        }
    }
    return figures;
}

void addScenario(FigureTable& table, const ReportScenario& scenario, const ScenarioFigures& figures) {
    const double ratio =
        figures.handWritten.medianMs() > 0 ? figures.engine.medianMs() / figures.handWritten.medianMs() : 0;
    const auto runs = static_cast<std::int64_t>(figures.engine.count());
    table.section(scenario.title + " (" + Format::count(runs) + " reports)");
    table.add("report engine (parse, plan, run, XML)",
              Format::ms(figures.engine.medianMs()) + " median, " + Format::ms(figures.engine.p99Ms()) + " p99");
    table.add("hand-written SQL (prepared, one join, XML)", Format::ms(figures.handWritten.medianMs()) + " median, " +
                                                                Format::ms(figures.handWritten.p99Ms()) + " p99");
    table.add("ratio of medians (engine / SQL)", Format::ratio(ratio), "<= " + Format::ratio(ratioTarget),
              ratio <= ratioTarget);
    table.add("result size (mean)", Format::count(runs ? figures.bytes / runs : 0) + " bytes");
    table.add("results identical to the hand-written ones",
              Format::count(runs - figures.mismatches) + " of " + Format::count(runs), "all", figures.mismatches == 0);
}

/// The bench encyclopedia at \p path, built first when the file does not exist.
void ensureEncyclopedia(const std::string& path, const Options& options, FigureTable& table) {
    if (std::filesystem::exists(path)) {
        table.section("Encyclopedia " + path + " (existing)");
        return;
    }
    Stopwatch watch;
    {
        kemora::SqliteStore store(path, kemora::OpenMode::Create);
        SolutionFiles::install(store);
        BenchModel(store, options.definitions, 0).build();
    }
    table.section("Encyclopedia " + path + " (built)");
    table.add("bulk build of " + Format::count(options.definitions) + " definitions", Format::seconds(watch.seconds()));
}

void removeEncyclopedia(const std::string& path) {
    for (const char* suffix : {"", "-wal", "-shm"}) {
        std::filesystem::remove(path + suffix);
    }
}

int run(const Options& options) {
    const bool temporary = options.file.empty();
    const std::string path = temporary ? "/tmp/km-report-bench-" + std::to_string(getpid()) + ".kmdb" : options.file;
    FigureTable table;
    int status = 0;
    try {
        ensureEncyclopedia(path, options, table);
        auto encyclopedia = kemora::Encyclopedia::open(path);
        table.add("definitions", Format::count(encyclopedia->store().countObjects(StoredClass::Definition)));
        for (const ReportScenario& scenario : scenarios) {
            const ScenarioFigures figures = measureScenario(*encyclopedia, path, scenario, options.reports);
            addScenario(table, scenario, figures);
            if (figures.mismatches > 0) {
                std::cerr << "First differing result (" << scenario.title << "):\n" << figures.firstMismatch << "\n";
                status = 1;
            }
        }
    } catch (...) {
        if (temporary) {
            removeEncyclopedia(path);
        }
        throw;
    }
    if (temporary) {
        removeEncyclopedia(path);
    }
    table.print(std::cout);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Report benchmark: per-definition reports through the report engine against hand-written SQL"};
    Options options;
    app.add_option("--definitions", options.definitions, "Definitions to build when the file does not exist")
        ->check(CLI::Range(std::int64_t{1000}, std::int64_t{50'000'000}));
    app.add_option("--reports", options.reports, "Reports per scenario")
        ->check(CLI::Range(std::int64_t{10}, std::int64_t{10'000'000}));
    app.add_option("--file", options.file, "Bench encyclopedia to use, built there when missing (and then kept)");
    app.add_flag("--smoke", options.smoke, "A seconds-long run at small sizes (for CI)");
    CLI11_PARSE(app, argc, argv);
    if (options.smoke) {
        options.definitions = 20'000;
        options.reports = 1'000;
    }
    try {
        std::cout << "Report benchmark: " << Format::count(options.reports) << " reports per scenario\n\n";
        return run(options);
    } catch (const std::exception& error) {
        std::cerr << "ReportBench: " << error.what() << "\n";
        return 1;
    }
}
