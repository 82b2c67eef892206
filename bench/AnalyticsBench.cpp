// Analytics benchmark: a stored complex analytic run over a landscape of 5,000 symbols in an
// encyclopedia of 100,000 definitions, through the add-in exactly as
// `kmsoa run ENCY ExecuteAnalyticsForDiagram --diagram NAME` runs it: the analytic's report runs
// once for every application symbol, and the symbols it finds something for are coloured.
//
// The host the add-in sees is the workbench's, with timers around the report engine and around
// fetching definitions by id, so that the time per symbol splits into the report engine, reading
// its result XML (measured on the same results afterwards) and the rest (walking the symbols,
// reaching their definitions, recolouring and saving them, the key).
//
//   AnalyticsBench                   full size (about a minute)
//   AnalyticsBench --smoke           seconds-long run for CI
//   AnalyticsBench --file F --keep   build into F and keep it

#include "addin/LandscapeMgr.h"
#include "addin/basConstantsAndPublicVars.h"
#include "analytics/clsAnalyticMgr.h"
#include "host/IApplication.h"
#include "host/IDefinition.h"
#include "host/IDiagram.h"
#include "host/IEncyclopedia.h"
#include "host/IHostServices.h"
#include "host/ISymbol.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/kemora/services/Workbench.h"
#include "platform/kemora/storage/SqliteStore.h"
#include "platform/ui/ScriptedFrontEnd.h"
#include "support/BenchModel.h"
#include "support/FigureTable.h"
#include "support/Format.h"
#include "support/ForwardingApplication.h"
#include "support/ForwardingEncyclopedia.h"
#include "support/ForwardingServices.h"
#include "support/Latencies.h"
#include "support/MachineLoad.h"
#include "support/SolutionFiles.h"
#include "support/Stopwatch.h"
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <pugixml.hpp>
#include <unistd.h>

namespace {

using namespace km;
using namespace km::bench;
namespace addin = KM_SLN_SOA;

constexpr double perSymbolTargetMs = 2.0;
constexpr const char* analyticName = "Changed by a service plan";
constexpr const char* reportName = "Service plans changing an application";
// The application itself, then the service plans that change it; nothing for an application
// that no plan changes.
constexpr const char* reportScript = "TABULAR 1\n"
                                     "{\n"
                                     "SELECT \"Identity\" LEGEND \"KMTargetID\" "
                                     "WHERE Class = Definition WHERE \"Identity\" = #DDIDS#\n"
                                     "JOIN WHERE RELATION = \"changed by\" JOIN\n"
                                     "SELECT \"Identity\" LEGEND \"KMTargetID\" WHERE \"Type Number\" = 624\n"
                                     "}\n";

struct Options {
    std::int64_t definitions = 100'000;
    std::int64_t symbols = 5'000;
    std::string file;
    bool keep = false;
    bool smoke = false;
};

// ---------------------------------------------------------------------------------------------
// The timed host: the workbench's own objects, with the two calls that matter timed.

struct HostTimes {
    Latencies reports;
    Latencies fetches;
    std::int64_t resultBytes = 0;
    std::vector<std::string> results; ///< every result XML, read again to time the parsing
};

class TimedEncyclopedia : public ForwardingEncyclopedia {
public:
    TimedEncyclopedia(std::shared_ptr<host::IEncyclopedia> inner, HostTimes& times)
        : ForwardingEncyclopedia(std::move(inner)), m_times(times) {}

    void ExecuteReportString(std::string& result, const std::string& script) override {
        m_times.reports.time([&] { m_inner->ExecuteReportString(result, script); });
        m_times.resultBytes += static_cast<std::int64_t>(result.size());
        m_times.results.push_back(result);
    }
    std::shared_ptr<host::IDefinition> getdefinitionbyid(Long id) override {
        std::shared_ptr<host::IDefinition> definition;
        m_times.fetches.time([&] { definition = m_inner->getdefinitionbyid(id); });
        return definition;
    }

private:
    HostTimes& m_times;
};

class TimedApplication : public ForwardingApplication {
public:
    TimedApplication(std::shared_ptr<host::IApplication> inner, HostTimes& times)
        : ForwardingApplication(std::move(inner)), m_times(times) {}

    std::shared_ptr<host::IEncyclopedia> encyclopedia() override {
        auto inner = m_inner->encyclopedia();
        return inner ? std::make_shared<TimedEncyclopedia>(inner, m_times) : nullptr;
    }

private:
    HostTimes& m_times;
};

class TimedServices : public ForwardingServices {
public:
    TimedServices(std::shared_ptr<host::IHostServices> inner, HostTimes& times)
        : ForwardingServices(std::move(inner)), m_times(times) {}

    std::shared_ptr<host::IApplication> CreateApplication() override {
        return std::make_shared<TimedApplication>(m_inner->CreateApplication(), m_times);
    }

private:
    HostTimes& m_times;
};

// ---------------------------------------------------------------------------------------------
// The encyclopedia and the add-in

void removeEncyclopedia(const std::string& path) {
    for (const char* suffix : {"", "-wal", "-shm"}) {
        std::filesystem::remove(path + suffix);
    }
}

void buildEncyclopedia(const std::string& path, const Options& options, FigureTable& table) {
    Stopwatch watch;
    {
        kemora::SqliteStore store(path, kemora::OpenMode::Create);
        SolutionFiles::install(store);
        BenchModel(store, options.definitions, options.symbols).build();
    }
    table.add("bulk build of the encyclopedia", Format::seconds(watch.seconds()));
}

/// A workbench running the add-in on the encyclopedia, its host services timed.
class Session {
public:
    Session(const std::string& path, const std::string& folder, HostTimes& times) {
        kemora::WorkbenchPaths paths;
        paths.configDir = folder + "/config";
        paths.dataDir = folder + "/data";
        paths.exeDir = kemora::WorkbenchPaths::executableFolder();
        m_workbench = std::make_unique<kemora::Workbench>(paths, m_frontEnd);
        m_workbench->openEncyclopedia(path);
        m_services = std::make_shared<TimedServices>(m_workbench->services(), times);
        addin::SetHostServices(m_services.get());
        addin::SetLibraryFolder(paths.exeDir);
    }
    ~Session() { addin::SetHostServices(nullptr); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    kemora::Workbench& workbench() { return *m_workbench; }
    kemora::Encyclopedia& encyclopedia() { return *m_workbench->encyclopedia(); }
    const ui::ScriptedFrontEnd& frontEnd() const { return m_frontEnd; }

private:
    ui::ScriptedFrontEnd m_frontEnd;
    std::unique_ptr<kemora::Workbench> m_workbench;
    std::shared_ptr<host::IHostServices> m_services;
};

/// Stores the report and the complex analytic as the analytic builder does, and assigns the
/// analytic to the bench landscape.
void storeAnalytic(Session& session) {
    auto report = session.encyclopedia().CreateDefinition(reportName, 626);
    report->setProperty("Content", reportScript);
    report->save();
    addin::LandscapeMgr().InitialiseObjects();
    addin::clsAnalyticMgr().CreateComplexAnalytic(analyticName, "Application", reportName, "false", 3978495);
    addin::LandscapeMgr().DestroyObjects();
    auto diagram = session.encyclopedia().GetFilteredDiagrams(BenchModel::landscapeName, BenchModel::landscapeType);
    auto landscape = diagram->Item(1);
    landscape->setProperty("Analytics To Run", std::string("\"") + analyticName + "\"");
    landscape->save();
    session.encyclopedia().setCurrentDiagram(landscape->ddid());
}

struct SymbolCounts {
    std::int64_t all = 0;
    std::int64_t applications = 0;
    std::int64_t coloured = 0;
};

SymbolCounts countSymbols(Session& session) {
    SymbolCounts counts;
    for (auto symbol : session.encyclopedia().getcurrentdiagram()->GetAllSymbols()) {
        ++counts.all;
        if (symbol->kmtype() == 160) {
            ++counts.applications;
            counts.coloured += symbol->FillColor() == 3978495 ? 1 : 0;
        }
    }
    return counts;
}

/// Recolours and saves the coloured symbols once more, each on its own as the analytic does, to
/// tell how much of the run went into saving them.
Latencies resaveColoured(Session& session) {
    Latencies saves;
    auto symbols = session.encyclopedia().getcurrentdiagram()->GetAllSymbols();
    symbols->readall();
    for (auto symbol : symbols) {
        if (symbol->kmtype() != 160 || symbol->FillColor() != 3978495) {
            continue;
        }
        saves.time([&] {
            symbol->FillColor(3978495);
            symbol->save();
        });
    }
    return saves;
}

/// Reads every result as clsRGManager reads it: parse, select the items, walk the nested ones and
/// read their identity properties.
Latencies parseResults(const std::vector<std::string>& results) {
    Latencies parses;
    pugi::xpath_query items("KMReport/KMLevel/KMItem");
    pugi::xpath_query nested("KMLevel/KMItem");
    pugi::xpath_query identity("KMProperty[@KMPrpName='KMTargetID']");
    std::size_t found = 0;
    for (const std::string& result : results) {
        parses.time([&] {
            pugi::xml_document document;
            if (!document.load_buffer(result.data(), result.size())) {
                return;
            }
            for (const pugi::xpath_node& item : items.evaluate_node_set(document)) {
                found += item.node().select_node(identity).node() ? 1 : 0;
                for (const pugi::xpath_node& inner : nested.evaluate_node_set(item.node())) {
                    found += inner.node().select_node(identity).node() ? 1 : 0;
                }
            }
        });
    }
    if (found == 0 && !results.empty()) {
        std::cerr << "AnalyticsBench: no result named a definition\n";
    }
    return parses;
}

void addBreakdown(FigureTable& table, const std::string& figure, double totalMs, std::int64_t symbols, double allMs) {
    char share[32];
    std::snprintf(share, sizeof share, "%.0f %%", allMs > 0 ? 100.0 * totalMs / allMs : 0.0);
    table.add(figure, Format::ms(totalMs / static_cast<double>(symbols)) + " (" + Format::seconds(totalMs / 1000) +
                          " in all, " + share + ")");
}

int run(const Options& options) {
    const bool temporary = options.file.empty();
    const std::string path = temporary ? "/tmp/km-analytics-bench-" + std::to_string(getpid()) + ".kmdb" : options.file;
    const std::string folder = path + ".workbench";
    FigureTable table;
    table.section("Encyclopedia (" + MachineLoad::describe() + ")");
    buildEncyclopedia(path, options, table);

    HostTimes times;
    int status = 0;
    {
        Session session(path, folder, times);
        table.add("definitions",
                  Format::count(session.encyclopedia().store().countObjects(kemora::StoredClass::Definition)));
        storeAnalytic(session);
        times = HostTimes();

        Stopwatch watch;
        addin::LandscapeMgr().ExecuteAnalyticsForDiagram();
        const double runMs = watch.seconds() * 1000, runCpuMs = watch.cpuSeconds() * 1000;

        const SymbolCounts counts = countSymbols(session);
        const Latencies parses = parseResults(times.results);
        const Latencies saves = resaveColoured(session);
        const double saveMs = saves.meanMs() * static_cast<double>(saves.count());
        const double reportMs = times.reports.meanMs() * static_cast<double>(times.reports.count());
        const double parseMs = parses.meanMs() * static_cast<double>(parses.count());
        const double fetchMs = times.fetches.meanMs() * static_cast<double>(times.fetches.count());
        const double restMs = std::max(0.0, runMs - reportMs - parseMs - fetchMs - saveMs);
        const double perSymbolMs = runMs / static_cast<double>(counts.all);

        table.section("ExecuteAnalyticsForDiagram: one stored complex analytic");
        table.add("symbols on the diagram", Format::count(counts.all));
        table.add("application symbols (one report each)", Format::count(counts.applications));
        table.add("reports run (one lists the diagram's analytics)",
                  Format::count(static_cast<std::int64_t>(times.reports.count())));
        table.add("symbols coloured", Format::count(counts.coloured));
        table.add("whole run", Format::seconds(runMs / 1000) + " (" + Format::seconds(runCpuMs / 1000) + " CPU)");
        table.add("per symbol on the diagram", Format::ms(perSymbolMs), "<= " + Format::ms(perSymbolTargetMs),
                  perSymbolMs <= perSymbolTargetMs);
        table.add("per application symbol",
                  Format::ms(runMs / static_cast<double>(std::max<std::int64_t>(1, counts.applications))));

        table.section("Where the time goes (per symbol on the diagram)");
        addBreakdown(table, "report engine (parse, plan, run, result XML)", reportMs, counts.all, runMs);
        addBreakdown(table, "reading the result XML (pugixml, XPath)", parseMs, counts.all, runMs);
        addBreakdown(table, "fetching the definitions the results name", fetchMs, counts.all, runMs);
        addBreakdown(table, "saving the coloured symbols (timed again afterwards)", saveMs, counts.all, runMs);
        addBreakdown(table, "the rest: reading the symbols, their definitions, the add-in", restMs, counts.all, runMs);
        table.add("saving one symbol: median, p99", Format::ms(saves.medianMs()) + ", " + Format::ms(saves.p99Ms()));
        table.add("one report: median, p99",
                  Format::ms(times.reports.medianMs()) + ", " + Format::ms(times.reports.p99Ms()));
        table.add("result XML per report (mean)",
                  Format::count(times.reports.count()
                                    ? times.resultBytes / static_cast<std::int64_t>(times.reports.count())
                                    : 0) +
                      " bytes");

        Stopwatch clearing;
        addin::LandscapeMgr().ClearAnalytics();
        table.section("ClearAnalytics");
        table.add("whitening " + Format::count(counts.applications) + " application symbols and removing the key",
                  Format::seconds(clearing.seconds()) + ", " +
                      Format::ms(clearing.seconds() * 1000 /
                                 static_cast<double>(std::max<std::int64_t>(1, counts.applications))) +
                      " per symbol");

        if (!session.frontEnd().messages().empty()) {
            std::cerr << "AnalyticsBench: the add-in showed a message: " << session.frontEnd().messages().front().prompt
                      << "\n";
            status = 1;
        }
        // One report lists the diagram's analytics; the analytic runs one per application symbol.
        if (counts.coloured == 0 || times.reports.count() != static_cast<std::size_t>(counts.applications) + 1) {
            std::cerr << "AnalyticsBench: expected one report per application symbol and some coloured symbols\n";
            status = 1;
        }
    }
    std::filesystem::remove_all(folder);
    if (temporary || !options.keep) {
        removeEncyclopedia(path);
    }
    table.print(std::cout);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Analytics benchmark: a stored complex analytic over a large landscape"};
    Options options;
    app.add_option("--definitions", options.definitions, "Definitions of the encyclopedia")
        ->check(CLI::Range(std::int64_t{2'000}, std::int64_t{10'000'000}));
    app.add_option("--symbols", options.symbols, "Symbols of the landscape diagram")
        ->check(CLI::Range(std::int64_t{100}, std::int64_t{1'000'000}));
    app.add_option("--file", options.file, "Where to build the encyclopedia (must not exist)");
    app.add_flag("--keep", options.keep, "Keep the encyclopedia built with --file");
    app.add_flag("--smoke", options.smoke, "A seconds-long run at small sizes (for CI)");
    CLI11_PARSE(app, argc, argv);
    if (options.smoke) {
        options.definitions = 5'000;
        options.symbols = 500;
    }
    try {
        std::cout << "Analytics benchmark: " << Format::count(options.symbols) << " symbols, "
                  << Format::count(options.definitions) << " definitions\n\n";
        return run(options);
    } catch (const std::exception& error) {
        std::cerr << "AnalyticsBench: " << error.what() << "\n";
        return 1;
    }
}
