// Encyclopedia benchmark: builds an encyclopedia file of a million definitions and two million
// relations through IStore, then, in a fresh process, opens it and measures the open time, the
// resident memory, lookups by id and by name, related objects, and the geometric nesting query
// (relation 28) on a landscape of twenty thousand symbols.
//
//   EncyclopediaBench                      full size (takes a few minutes, needs ~1 GB in /tmp)
//   EncyclopediaBench --smoke              seconds-long run for CI
//   EncyclopediaBench --keep --file F      keep the built file (e.g. for ReportBench --file F)
//   EncyclopediaBench --measure F          measure an existing bench encyclopedia only

#include "host/IDefinition.h"
#include "host/IPropertyCollection.h"
#include "host/ISymbol.h"
#include "platform/kemora/exchange/ModelImporter.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/kemora/objects/Symbol.h"
#include "platform/kemora/storage/SqliteStore.h"
#include "support/BenchLandscape.h"
#include "support/BenchModel.h"
#include "support/ExchangeFileWriter.h"
#include "support/FigureTable.h"
#include "support/Format.h"
#include "support/Latencies.h"
#include "support/MachineLoad.h"
#include "support/ProcessMemory.h"
#include "support/SolutionFiles.h"
#include "support/Stopwatch.h"
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace km;
using namespace km::bench;
using kemora::StoredClass;

constexpr double openTargetSeconds = 1.0;
constexpr double memoryTargetMb = 100.0;
constexpr double lookupTargetMs = 1.0;

struct Options {
    std::int64_t definitions = 1'000'000;
    std::int64_t symbols = 20'000;
    std::int64_t lookups = 10'000;
    std::int64_t importDefinitions = 50'000;
    std::string file;
    std::string measure;
    bool keep = false;
    bool smoke = false;
};

// ---------------------------------------------------------------------------------------------
// Building

std::string defaultFile() {
    return "/tmp/km-encyclopedia-bench-" + std::to_string(getpid()) + ".kmdb";
}

void removeEncyclopedia(const std::string& path) {
    for (const char* suffix : {"", "-wal", "-shm"}) {
        std::filesystem::remove(path + suffix);
    }
}

BuildFigures buildEncyclopedia(const std::string& path, const Options& options) {
    kemora::SqliteStore store(path, kemora::OpenMode::Create);
    SolutionFiles::install(store);
    return BenchModel(store, options.definitions, options.symbols).build();
}

void addBuildPart(FigureTable& table, const std::string& what, std::int64_t count, double seconds, double cpuSeconds) {
    table.add(what + ": " + Format::count(count), Format::seconds(seconds) + " (" + Format::seconds(cpuSeconds) +
                                                      " CPU)  " + Format::rate(static_cast<double>(count), seconds));
}

void addBuildFigures(FigureTable& table, const BuildFigures& built, const std::string& path) {
    table.section("Bulk build through IStore (big transactions; wall clock, processor time, rate)");
    addBuildPart(table, "definitions", built.definitions, built.definitionSeconds, built.definitionCpuSeconds);
    addBuildPart(table, "relations (list entries)", built.relations, built.relationSeconds, built.relationCpuSeconds);
    addBuildPart(table, "properties", built.properties, built.propertySeconds, built.propertyCpuSeconds);
    addBuildPart(table, "landscape symbols", built.symbols, built.symbolSeconds, built.symbolCpuSeconds);
    table.add("whole build",
              Format::seconds(built.totalSeconds()) + " (" + Format::seconds(built.totalCpuSeconds()) + " CPU)");
    std::error_code error;
    const auto bytes = std::filesystem::file_size(path, error);
    table.add("file size", error ? "-" : Format::megabytes(static_cast<double>(bytes) / (1024.0 * 1024.0)));
}

/// Measures the file in a fresh process, so that the memory figures are those of opening it
/// rather than of having built it.
int measureInFreshProcess(const std::string& path, const Options& options) {
    std::vector<std::string> arguments = {"EncyclopediaBench", "--measure", path, "--lookups",
                                          std::to_string(options.lookups)};
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    std::cout.flush();
    pid_t child = 0;
    if (posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, argv.data(), environ) != 0) {
        std::cerr << "cannot start the measuring process\n";
        return 1;
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

// ---------------------------------------------------------------------------------------------
// Measuring

/// What the measurements pick from: definitions by type and the landscape's containers.
struct Pools {
    std::vector<kemora::ObjectRow> definitions; ///< a random sample of every type
    std::vector<kemora::Long> applications, services;
    std::vector<kemora::Long> components, domains, large, loose;
};

std::vector<kemora::Long> sample(const std::vector<kemora::Long>& ids, std::int64_t count, std::mt19937_64& random) {
    std::vector<kemora::Long> picked;
    if (ids.empty()) {
        return picked;
    }
    std::uniform_int_distribution<std::size_t> index(0, ids.size() - 1);
    for (std::int64_t i = 0; i < count; ++i) {
        picked.push_back(ids[index(random)]);
    }
    return picked;
}

Pools collectPools(kemora::IStore& store, std::int64_t lookups) {
    std::mt19937_64 random(7);
    Pools pools;
    pools.definitions = store.objects(sample(store.objectsOfType(StoredClass::Definition, 0, ""), lookups, random));
    pools.applications = sample(store.objectsOfType(StoredClass::Definition, 309, ""), lookups, random);
    pools.services = sample(store.objectsOfType(StoredClass::Definition, 765, ""), lookups, random);
    const auto diagrams =
        store.objectsOfType(StoredClass::Diagram, BenchModel::landscapeType, BenchModel::landscapeName);
    if (diagrams.empty()) {
        return pools;
    }
    pools.components = store.symbolsOfDiagram(diagrams.front(), 771, "");
    pools.domains = store.symbolsOfDiagram(diagrams.front(), 770, "");
    pools.large = store.symbolsOfDiagram(diagrams.front(), 2, "");
    pools.loose = store.symbolsOfDiagram(diagrams.front(), 1, "");
    return pools;
}

void addLatency(FigureTable& table, const std::string& figure, const Latencies& latencies, double targetMs) {
    const std::string value = Format::ms(latencies.medianMs()) + " median, " + Format::ms(latencies.p99Ms()) + " p99";
    if (targetMs > 0) {
        table.add(figure, value, "median < " + Format::ms(targetMs), latencies.medianMs() < targetMs);
    } else {
        table.add(figure, value);
    }
}

void measureLookups(kemora::Encyclopedia& encyclopedia, const Pools& pools, FigureTable& table) {
    kemora::IStore& store = encyclopedia.store();
    Latencies byId, byFilter, byName, listItems, listWalk, owners;
    for (const kemora::ObjectRow& row : pools.definitions) {
        byId.time([&] { encyclopedia.getdefinitionbyid(row.id)->Name(); });
    }
    for (const kemora::ObjectRow& row : pools.definitions) {
        byFilter.time([&] {
            auto found = encyclopedia.getfiltereddefinitions(row.name, row.type);
            if (found->count() != 1 || found->Item(1)->ddid() != row.id) {
                throw std::runtime_error("getfiltereddefinitions did not find " + row.name);
            }
        });
    }
    for (const kemora::ObjectRow& row : pools.definitions) {
        byName.time([&] { store.objectByName(StoredClass::Definition, row.type, row.name); });
    }
    for (kemora::Long id : pools.applications) {
        listItems.time([&] { store.listItems(id, "Provides Services"); });
    }
    for (kemora::Long id : pools.applications) {
        listWalk.time([&] {
            auto services = encyclopedia.getdefinitionbyid(id)->getpropertyascollection("Provides Services");
            for (kemora::Long i = 1; i <= services->count(); ++i) {
                services->Item(i)->Name();
            }
        });
    }
    for (kemora::Long id : pools.services) {
        owners.time([&] {
            std::vector<kemora::Long> ids;
            for (const kemora::RelatedRow& owner : store.listOwners(id, "Provides Services")) {
                ids.push_back(owner.id);
            }
            store.objects(ids);
        });
    }
    table.section("Lookups (" + Format::count(static_cast<std::int64_t>(pools.definitions.size())) +
                  " random definitions each)");
    addLatency(table, "getdefinitionbyid + Name", byId, lookupTargetMs);
    addLatency(table, "getfiltereddefinitions(name, type) + Item(1)", byFilter, lookupTargetMs);
    addLatency(table, "IStore::objectByName", byName, lookupTargetMs);
    addLatency(table, "IStore::listItems (an application's services)", listItems, lookupTargetMs);
    addLatency(table, "getdefinitionbyid + getpropertyascollection + Item(i).Name", listWalk, lookupTargetMs);
    addLatency(table, "IStore::listOwners + objects (a service's providers)", owners, lookupTargetMs);
}

struct NestingFigures {
    Latencies inside; ///< the store's part: the rows of the symbols within the container
    Latencies query;
    Latencies walk;
    kemora::Long children = 0;
    std::size_t rows = 0;
};

/// GetRelatedObjects(28) on \p queries random containers; the symbol is loaded beforehand, as the
/// add-in holds it when it asks. "inside" is the spatial-index query alone (the rest of "query" is
/// picking the direct children); "walk" also loads every nested symbol and reads its name.
NestingFigures measureNesting(kemora::Encyclopedia& encyclopedia, const std::vector<kemora::Long>& containers,
                              std::int64_t queries) {
    NestingFigures figures;
    if (containers.empty()) {
        return figures;
    }
    std::mt19937_64 random(11);
    for (kemora::Long id : sample(containers, queries, random)) {
        auto symbol = encyclopedia.loadSymbol(id);
        figures.inside.time([&] {
            figures.rows = encyclopedia.store().symbolsWithin(symbol->diagramId(), symbol->symbolRow().geometry).size();
        });
        figures.query.time([&] { figures.children = symbol->GetRelatedObjects(host::RelNestedSymbols)->count(); });
        figures.walk.time([&] {
            auto nested = symbol->GetRelatedObjects(host::RelNestedSymbols);
            for (kemora::Long i = 1; i <= nested->count(); ++i) {
                nested->Item(i)->Name();
            }
        });
    }
    return figures;
}

void addNesting(FigureTable& table, const std::string& what, const NestingFigures& figures, double targetMs) {
    if (figures.query.count() == 0) {
        return;
    }
    const std::string label = what + " (" + Format::count(figures.children) + " direct children)";
    addLatency(table,
               label + ": IStore::symbolsWithin (" + Format::count(static_cast<std::int64_t>(figures.rows)) + " rows)",
               figures.inside, 0);
    addLatency(table, label + ": query", figures.query, targetMs);
    addLatency(table, label + ": query + load each", figures.walk, 0);
}

void measureNestingQueries(kemora::Encyclopedia& encyclopedia, const Pools& pools, std::int64_t lookups,
                           FigureTable& table) {
    const std::int64_t queries = std::max<std::int64_t>(100, lookups / 10);
    const NestingFigures typical = measureNesting(encyclopedia, pools.components, queries);
    const NestingFigures domains =
        measureNesting(encyclopedia, pools.domains, std::max<std::int64_t>(20, queries / 10));
    const NestingFigures large = measureNesting(encyclopedia, pools.large, 20);
    const NestingFigures loose = measureNesting(encyclopedia, pools.loose, queries);
    table.section("Relation 28 on the landscape (" +
                  Format::count(static_cast<std::int64_t>(pools.components.size() + pools.domains.size())) +
                  " containers)");
    addNesting(table, "typical: service component with applications", typical, lookupTargetMs);
    addNesting(table, "domain: components nested two levels", domains, 0);
    addNesting(table, "largest: one rectangle of applications", large, 0);
    addNesting(table, "loose text symbol", loose, 0);
}

int measure(const std::string& path, const Options& options) {
    FigureTable table;
    Stopwatch watch;
    auto encyclopedia = kemora::Encyclopedia::open(path);
    const double openSeconds = watch.seconds();
    const ProcessMemory memory = ProcessMemory::now();
    if (!encyclopedia->metamodel().definitionType(765)) {
        throw std::runtime_error("the solution's types are missing from " + path);
    }
    table.section("Open " + path + " (a fresh process, " + MachineLoad::describe() + ")");
    table.add("Encyclopedia::open (store + metamodel)", Format::seconds(openSeconds),
              "< " + Format::seconds(openTargetSeconds), openSeconds < openTargetSeconds);
    table.add("resident memory after open (VmRSS)", Format::megabytes(memory.residentMb),
              "< " + Format::megabytes(memoryTargetMb), memory.residentMb < memoryTargetMb);
    table.add("peak resident memory so far (VmHWM)", Format::megabytes(memory.peakMb),
              "< " + Format::megabytes(memoryTargetMb), memory.peakMb < memoryTargetMb);
    const Pools pools = collectPools(encyclopedia->store(), options.lookups);
    measureLookups(*encyclopedia, pools, table);
    measureNestingQueries(*encyclopedia, pools, options.lookups, table);
    const ProcessMemory after = ProcessMemory::now();
    table.add("resident memory after the lookups (VmRSS)", Format::megabytes(after.residentMb));
    table.print(std::cout);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Model exchange import

/// Imports the bench model written as a model exchange file into a new encyclopedia.
void measureImport(const Options& options, FigureTable& table) {
    const std::string stem = "/tmp/km-exchange-bench-" + std::to_string(getpid());
    const std::string xmlPath = stem + ".xml", path = stem + ".kmdb";
    try {
        const ExchangeFileFigures written = ExchangeFileWriter::write(xmlPath, options.importDefinitions);
        auto store = std::make_unique<kemora::SqliteStore>(path, kemora::OpenMode::Create);
        SolutionFiles::install(*store);
        auto encyclopedia = std::make_shared<kemora::Encyclopedia>(std::move(store));
        Stopwatch watch;
        const kemora::ImportSummary summary =
            kemora::ModelImporter(*encyclopedia).importFile(xmlPath, kemora::ImportMode::Create);
        const double seconds = watch.seconds(), cpuSeconds = watch.cpuSeconds();
        table.section("Model exchange import (ModelImporter, one transaction, into a new encyclopedia)");
        table.add("file", Format::count(written.definitions) + " definitions, " + Format::count(written.relations) +
                              " list items, " + Format::count(written.properties) + " properties, " +
                              Format::megabytes(static_cast<double>(written.bytes) / (1024.0 * 1024.0)));
        table.add("import of " + Format::count(summary.definitionsCreated) + " definitions",
                  Format::seconds(seconds) + " (" + Format::seconds(cpuSeconds) + " CPU)  " +
                      Format::rate(static_cast<double>(summary.definitionsCreated), seconds));
        table.add("list items imported per second", Format::rate(static_cast<double>(written.relations), seconds));
    } catch (...) {
        std::filesystem::remove(xmlPath);
        removeEncyclopedia(path);
        throw;
    }
    std::filesystem::remove(xmlPath);
    removeEncyclopedia(path);
}

int run(Options options) {
    const std::string path = options.file.empty() ? defaultFile() : options.file;
    if (std::filesystem::exists(path)) {
        std::cerr << path << " exists already; choose another --file or delete it\n";
        return 1;
    }
    std::cout << "Encyclopedia benchmark: " << Format::count(options.definitions) << " definitions, "
              << Format::count(options.symbols) << " landscape symbols, " << Format::count(options.lookups)
              << " lookups per figure (" << MachineLoad::describe() << ")\n\n";
    FigureTable table;
    try {
        addBuildFigures(table, buildEncyclopedia(path, options), path);
    } catch (...) {
        removeEncyclopedia(path);
        throw;
    }
    table.print(std::cout);
    std::cout << "\n";
    const int status = measureInFreshProcess(path, options);
    if (!options.keep) {
        removeEncyclopedia(path);
    }
    FigureTable importTable;
    measureImport(options, importTable);
    std::cout << "\n";
    importTable.print(std::cout);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Encyclopedia benchmark: bulk build, open, lookups and relation 28 on a large encyclopedia"};
    Options options;
    app.add_option("--definitions", options.definitions, "Definitions to build (about two relations each)")
        ->check(CLI::Range(std::int64_t{1000}, std::int64_t{50'000'000}));
    app.add_option("--symbols", options.symbols, "Symbols on the landscape diagram")
        ->check(CLI::Range(std::int64_t{0}, std::int64_t{1'000'000}));
    app.add_option("--lookups", options.lookups, "Random lookups per figure")
        ->check(CLI::Range(std::int64_t{10}, std::int64_t{10'000'000}));
    app.add_option("--import-definitions", options.importDefinitions, "Definitions in the model exchange file")
        ->check(CLI::Range(std::int64_t{100}, std::int64_t{10'000'000}));
    app.add_option("--file", options.file, "Encyclopedia file to build (default: a new file in /tmp)");
    app.add_flag("--keep", options.keep, "Keep the built file");
    app.add_option("--measure", options.measure, "Only measure an existing bench encyclopedia")
        ->check(CLI::ExistingFile);
    app.add_flag("--smoke", options.smoke, "A seconds-long run at small sizes (for CI)");
    CLI11_PARSE(app, argc, argv);
    if (options.smoke) {
        options.definitions = 20'000;
        options.symbols = 2'000;
        options.lookups = 1'000;
        options.importDefinitions = 2'000;
    }
    try {
        return options.measure.empty() ? run(options) : measure(options.measure, options);
    } catch (const std::exception& error) {
        std::cerr << "EncyclopediaBench: " << error.what() << "\n";
        return 1;
    }
}
