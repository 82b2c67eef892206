// Landscape benchmark: the two landscape builds at the sizes people meet, through the add-in
// exactly as `kmsoa run` runs them, with the host's calls timed by kind.
//
//   1. BuildAutoLandscape over three chained templates (service domains, their components, the
//      components' services) whose lowest level holds 10,000 services.
//   2. BuildLandscape of 50 selected service symbols holding 2,000 application symbols in all,
//      then their sizing into grids.
//
// The host the add-in sees is the workbench's, wrapped so that the report engine, symbol
// creation, saves of diagrams and symbols and relation 28 (the nested symbols of a container) are
// timed apart; the rest is the add-in's own work (walking the tree, placing, status lines) and,
// for BuildLandscape, the sizing pass, whose own saves are not split off.
//
//   LandscapeBench                 full size
//   LandscapeBench --smoke         seconds-long run for CI
//   LandscapeBench --leaves N --containers N --symbols N

#include "addin/LandscapeMgr.h"
#include "addin/basConstantsAndPublicVars.h"
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
#include "support/FigureTable.h"
#include "support/Format.h"
#include "support/ForwardingApplication.h"
#include "support/ForwardingEncyclopedia.h"
#include "support/ForwardingServices.h"
#include "support/ProcessMemory.h"
#include "support/SolutionFiles.h"
#include "support/Stopwatch.h"
#include <CLI/CLI.hpp>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace {

using namespace km;
using namespace km::bench;
namespace addin = KM_SLN_SOA;
using host::Long;

constexpr double autoTargetSeconds = 10.0;

struct Options {
    std::int64_t leaves = 10'000;
    std::int64_t containers = 50;
    std::int64_t symbols = 2'000;
    bool smoke = false;
};

// ---------------------------------------------------------------------------------------------
// The timed host

/// Time and count of one kind of host call.
struct Part {
    double seconds = 0;
    std::int64_t calls = 0;
    template <class F> auto time(F&& call) {
        auto start = std::chrono::steady_clock::now();
        struct Stop {
            Part& part;
            std::chrono::steady_clock::time_point start;
            ~Stop() {
                part.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                ++part.calls;
            }
        } stop{*this, start};
        return call();
    }
};

struct HostTimes {
    Part reports, creations, saves, nested;
    /// When the status line first showed a text starting so (seconds since the run began).
    std::map<std::string, double> firstStatus;
    std::map<std::string, double> lastStatus;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    void status(const std::string& text) {
        double now = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::string key = text.substr(0, text.find(' ') == std::string::npos ? text.size() : text.find(' '));
        firstStatus.emplace(key, now);
        lastStatus[key] = now;
    }
};

class TimedSymbol;
class TimedDiagram;

/// A collection whose symbols are handed out timed.
class TimedSymbols : public host::ICollection<host::ISymbol> {
public:
    TimedSymbols(host::CollectionPtr<host::ISymbol> inner, HostTimes& times)
        : m_inner(std::move(inner)), m_times(times) {}
    Long count() override { return m_inner->count(); }
    std::shared_ptr<host::ISymbol> Item(Long index) override;
    bool IsMoreThan(Long n) override { return m_inner->IsMoreThan(n); }
    void readall() override { m_inner->readall(); }

private:
    host::CollectionPtr<host::ISymbol> m_inner;
    HostTimes& m_times;
};

class TimedSymbol : public host::ISymbol {
public:
    TimedSymbol(std::shared_ptr<host::ISymbol> inner, HostTimes& times) : m_inner(std::move(inner)), m_times(times) {}
    Long ddid() override { return m_inner->ddid(); }
    std::string Name() override { return m_inner->Name(); }
    std::string TypeName() override { return m_inner->TypeName(); }
    Long kmtype() override { return m_inner->kmtype(); }
    host::ObjectClass objectClass() override { return m_inner->objectClass(); }
    std::string GetProperty(const std::string& name) override { return m_inner->GetProperty(name); }
    void setProperty(const std::string& name, const std::string& value) override { m_inner->setProperty(name, value); }
    host::PropertyCollectionPtr getpropertyascollection(const std::string& name) override {
        return m_inner->getpropertyascollection(name);
    }
    void save() override {
        m_times.saves.time([&] { m_inner->save(); });
    }
    void Delete() override { m_inner->Delete(); }
    Long XPos() override { return m_inner->XPos(); }
    void XPos(Long value) override { m_inner->XPos(value); }
    Long ypos() override { return m_inner->ypos(); }
    void ypos(Long value) override { m_inner->ypos(value); }
    Long XSize() override { return m_inner->XSize(); }
    void XSize(Long value) override { m_inner->XSize(value); }
    Long YSize() override { return m_inner->YSize(); }
    void YSize(Long value) override { m_inner->YSize(value); }
    Long FillColor() override { return m_inner->FillColor(); }
    void FillColor(Long value) override { m_inner->FillColor(value); }
    bool Selected() override { return m_inner->Selected(); }
    void Selected(bool value) override { m_inner->Selected(value); }
    std::shared_ptr<host::IDefinition> definition() override { return m_inner->definition(); }
    std::shared_ptr<host::IDiagram> Diagram() override;
    host::CollectionPtr<host::IKMObject> GetRelatedObjects(Long relation) override {
        if (relation != host::RelNestedSymbols) {
            return m_inner->GetRelatedObjects(relation);
        }
        return m_times.nested.time([&] {
            auto related = m_inner->GetRelatedObjects(relation);
            related->readall();
            return related;
        });
    }
    void setField(Long number, const std::string& value) override { m_inner->setField(number, value); }
    std::string GetField(Long number) override { return m_inner->GetField(number); }
    Long Handle() override { return m_inner->Handle(); }

private:
    std::shared_ptr<host::ISymbol> m_inner;
    HostTimes& m_times;
};

std::shared_ptr<host::ISymbol> TimedSymbols::Item(Long index) {
    return std::make_shared<TimedSymbol>(m_inner->Item(index), m_times);
}

class TimedDiagram : public host::IDiagram {
public:
    TimedDiagram(std::shared_ptr<host::IDiagram> inner, HostTimes& times) : m_inner(std::move(inner)), m_times(times) {}
    Long ddid() override { return m_inner->ddid(); }
    std::string Name() override { return m_inner->Name(); }
    std::string TypeName() override { return m_inner->TypeName(); }
    Long kmtype() override { return m_inner->kmtype(); }
    host::ObjectClass objectClass() override { return m_inner->objectClass(); }
    std::string GetProperty(const std::string& name) override { return m_inner->GetProperty(name); }
    void setProperty(const std::string& name, const std::string& value) override { m_inner->setProperty(name, value); }
    host::PropertyCollectionPtr getpropertyascollection(const std::string& name) override {
        return m_inner->getpropertyascollection(name);
    }
    void save() override {
        m_times.saves.time([&] { m_inner->save(); });
    }
    void Delete() override { m_inner->Delete(); }
    host::CollectionPtr<host::ISymbol> GetAllSymbols() override {
        return std::make_shared<TimedSymbols>(m_inner->GetAllSymbols(), m_times);
    }
    host::CollectionPtr<host::ISymbol> GetFilteredSymbols(const std::string& name, Long type) override {
        return std::make_shared<TimedSymbols>(m_inner->GetFilteredSymbols(name, type), m_times);
    }
    std::shared_ptr<host::ISymbol> CreateSymbol(const std::string& name, Long type) override {
        return std::make_shared<TimedSymbol>(m_times.creations.time([&] { return m_inner->CreateSymbol(name, type); }),
                                             m_times);
    }
    Long Handle() override { return m_inner->Handle(); }

private:
    std::shared_ptr<host::IDiagram> m_inner;
    HostTimes& m_times;
};

std::shared_ptr<host::IDiagram> TimedSymbol::Diagram() {
    return std::make_shared<TimedDiagram>(m_inner->Diagram(), m_times);
}

class TimedEncyclopedia : public ForwardingEncyclopedia {
public:
    TimedEncyclopedia(std::shared_ptr<host::IEncyclopedia> inner, HostTimes& times)
        : ForwardingEncyclopedia(std::move(inner)), m_times(times) {}
    void ExecuteReportString(std::string& result, const std::string& script) override {
        m_times.reports.time([&] { m_inner->ExecuteReportString(result, script); });
    }
    std::shared_ptr<host::IDiagram> getcurrentdiagram() override {
        auto diagram = m_inner->getcurrentdiagram();
        return diagram ? std::make_shared<TimedDiagram>(diagram, m_times) : nullptr;
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
    void WriteStatusLine(const std::string& text) override {
        m_times.status(text);
        m_inner->WriteStatusLine(text);
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
// The model, written through the store in one transaction

constexpr const char* providersScript = "TABULAR 1\n{\nWHERE Class = Definition WHERE \"Identity\" = #DDIDS#\n"
                                        "JOIN WHERE RELATION = \"provided by\" JOIN\n"
                                        "SELECT \"Identity\" LEGEND \"KMTargetID\" WHERE \"Type Number\" = 309\n}\n";

Long insert(kemora::IStore& store, kemora::StoredClass cls, Long type, const std::string& name) {
    kemora::ObjectRow row;
    row.cls = cls;
    row.type = type;
    row.name = name;
    return store.insertObject(row);
}

Long templateNamed(kemora::IStore& store, const std::string& name, const std::string& content) {
    Long id = insert(store, kemora::StoredClass::Definition, 625, name);
    store.setProperty(id, "Content", content);
    return id;
}

/// Domains comprising components providing services: \p leaves services in all, spread evenly.
void buildNestedModel(kemora::IStore& store, std::int64_t leaves) {
    const std::int64_t domains = std::max<std::int64_t>(2, std::llround(std::cbrt(leaves / 20.0)));
    const std::int64_t components = std::max<std::int64_t>(2, std::llround(std::sqrt(leaves / 20.0 / domains) * 5));
    const std::int64_t perComponent = std::max<std::int64_t>(1, leaves / (domains * components));
    kemora::Transaction transaction(store);
    Long service = 0;
    for (std::int64_t d = 0; d < domains; ++d) {
        std::vector<Long> comprised;
        for (std::int64_t c = 0; c < components; ++c) {
            std::vector<Long> provided;
            for (std::int64_t s = 0; s < perComponent; ++s) {
                provided.push_back(insert(store, kemora::StoredClass::Definition, 765,
                                          "Service " + std::to_string(100000 + ++service)));
            }
            Long component = insert(store, kemora::StoredClass::Definition, 618,
                                    "Component " + std::to_string(d + 1) + "." + std::to_string(c + 1));
            store.setListItems(component, "Provides Services", provided);
            comprised.push_back(component);
        }
        Long domain = insert(store, kemora::StoredClass::Definition, 619, "Domain " + std::to_string(d + 1));
        store.setListItems(domain, "Comprises", comprised);
    }
    std::vector<Long> templates = {
        templateNamed(store, "Domains",
                      "TABULAR 1\n{\nSELECT \"Identity\" LEGEND \"KMTargetID\" WHERE Class = Definition "
                      "WHERE \"Type Number\" = 619\n}\n"),
        templateNamed(store, "Components",
                      "TABULAR 1\n{\nWHERE Class = Definition WHERE \"Identity\" = #DDIDS#\nJOIN WHERE RELATION = "
                      "\"comprises\" JOIN\nORDERBY SEQUENCE SELECT \"Identity\" LEGEND \"KMTargetID\"\n}\n"),
        templateNamed(store, "Services",
                      "TABULAR 1\n{\nWHERE Class = Definition WHERE \"Identity\" = #DDIDS#\nJOIN WHERE RELATION = "
                      "\"provides\" JOIN\nORDERBY SEQUENCE SELECT \"Identity\" LEGEND \"KMTargetID\"\n}\n")};
    Long diagram = insert(store, kemora::StoredClass::Diagram, 140, "Nested");
    store.setListItems(diagram, "Landscape Reports", templates);
    transaction.commit();
}

/// Services each provided by their share of \p symbols applications, with a selected container
/// symbol for each on a diagram.
void buildContainerModel(kemora::IStore& store, std::int64_t containers, std::int64_t symbols) {
    kemora::Transaction transaction(store);
    templateNamed(store, "Providers", providersScript);
    Long diagram = insert(store, kemora::StoredClass::Diagram, 140, "Containers");
    store.setProperty(diagram, "Min Number Of Cols Per Symbol", "2");
    const std::int64_t perContainer = std::max<std::int64_t>(1, symbols / containers);
    Long application = 0;
    for (std::int64_t c = 0; c < containers; ++c) {
        Long service =
            insert(store, kemora::StoredClass::Definition, 765, "Container service " + std::to_string(c + 1));
        for (std::int64_t a = 0; a < perContainer; ++a) {
            Long app = insert(store, kemora::StoredClass::Definition, 309,
                              "Application " + std::to_string(100000 + ++application));
            store.setListItems(app, "Provides Services", {service});
        }
        kemora::SymbolRow row;
        row.object.cls = kemora::StoredClass::Symbol;
        row.object.type = 772;
        row.object.name = "Container service " + std::to_string(c + 1);
        row.object.diagram = diagram;
        row.object.definition = service;
        // Containers of two widths in rows of ten, so that the narrowest decides the columns.
        const Long width = c % 2 == 0 ? 600 : 900;
        row.geometry = {static_cast<Long>(1000 * (c % 10) + width), static_cast<Long>(1200 * (c / 10) + 1000), width,
                        1000};
        row.selected = true;
        store.insertSymbol(row);
    }
    transaction.commit();
}

// ---------------------------------------------------------------------------------------------
// Running the add-in

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

    kemora::Encyclopedia& encyclopedia() { return *m_workbench->encyclopedia(); }
    ui::ScriptedFrontEnd& frontEnd() { return m_frontEnd; }
    void open(const std::string& diagram) {
        auto id = encyclopedia().store().objectByName(kemora::StoredClass::Diagram, 140, diagram);
        encyclopedia().setCurrentDiagram(id.value());
    }

private:
    ui::ScriptedFrontEnd m_frontEnd;
    std::unique_ptr<kemora::Workbench> m_workbench;
    std::shared_ptr<host::IHostServices> m_services;
};

void addParts(FigureTable& table, const HostTimes& times, double total) {
    double accounted = 0;
    for (const auto& [name, part] : {std::pair<const char*, const Part&>{"report engine", times.reports},
                                     {"symbol creation (incl. its own save)", times.creations},
                                     {"saves of diagrams and symbols", times.saves},
                                     {"relation 28 (nested symbols)", times.nested}}) {
        accounted += part.seconds;
        table.add(std::string("  ") + name, Format::seconds(part.seconds) + " (" + Format::count(part.calls) +
                                                " calls, " + Format::ratio(total > 0 ? part.seconds / total : 0) + ")");
    }
    table.add("  the add-in's own work and the rest", Format::seconds(total - accounted));
}

std::int64_t countSymbols(Session& session) {
    return session.encyclopedia().getcurrentdiagram()->GetAllSymbols()->count();
}

void runNested(const std::string& path, const std::string& folder, const Options& options, FigureTable& table) {
    HostTimes times;
    Session session(path, folder, times);
    session.open("Nested");
    table.section("BuildAutoLandscape, three levels, " + Format::count(options.leaves) + " leaves");
    Stopwatch watch;
    times.start = std::chrono::steady_clock::now();
    addin::LandscapeMgr().BuildAutoLandscape();
    const double total = watch.seconds();
    table.add("symbols drawn", Format::count(countSymbols(session)));
    // The goal is for one core: on a shared machine the processor time is the figure to compare.
    table.add("whole build (wall clock)", Format::seconds(total));
    table.add("processor time", Format::seconds(watch.cpuSeconds()), "< " + Format::seconds(autoTargetSeconds),
              watch.cpuSeconds() < autoTargetSeconds);
    const double reading = times.lastStatus["Discovered"];
    table.add("  reading the tree (reports and the add-in's tree)", Format::seconds(reading));
    table.add("  sizing and drawing", Format::seconds(total - reading));
    addParts(table, times, total);
    table.add("peak resident memory so far", Format::megabytes(ProcessMemory::now().peakMb));
}

void runContainers(const std::string& path, const std::string& folder, const Options& options, FigureTable& table) {
    HostTimes times;
    Session session(path, folder, times);
    session.open("Containers");
    session.frontEnd().addFormScript("frmLAATemplateSelect", "select lstObjects Providers; click OK");
    table.section("BuildLandscape of " + Format::count(options.containers) + " containers, " +
                  Format::count(options.symbols) + " symbols, and their sizing");
    Stopwatch watch;
    times.start = std::chrono::steady_clock::now();
    addin::LandscapeMgr().BuildLandscape();
    const double total = watch.seconds();
    table.add("symbols on the diagram", Format::count(countSymbols(session)));
    table.add("whole build", Format::seconds(total));
    table.add("processor time", Format::seconds(watch.cpuSeconds()));
    const double sizingStart = times.firstStatus["Resizing"];
    table.add("  populating (before sizing)", Format::seconds(sizingStart));
    table.add("  sizing", Format::seconds(total - sizingStart));
    addParts(table, times, total);
    table.add("peak resident memory so far", Format::megabytes(ProcessMemory::now().peakMb));
}

int run(const Options& options) {
    const std::string folder =
        std::filesystem::temp_directory_path() / ("km-landscape-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/landscape.kmdb";
    FigureTable table;
    table.section("Model");
    Stopwatch watch;
    {
        kemora::SqliteStore store(path, kemora::OpenMode::Create);
        SolutionFiles::install(store);
        buildNestedModel(store, options.leaves);
        buildContainerModel(store, options.containers, options.symbols);
    }
    table.add("bulk build of the encyclopedia", Format::seconds(watch.seconds()));
    runNested(path, folder, options, table);
    runContainers(path, folder, options, table);
    table.print(std::cout);
    std::filesystem::remove_all(folder);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Landscape benchmark: a nested landscape and populated containers"};
    Options options;
    app.add_option("--leaves", options.leaves, "Lowest-level objects of the nested landscape")
        ->check(CLI::Range(std::int64_t{20}, std::int64_t{1'000'000}));
    app.add_option("--containers", options.containers, "Containers to populate")
        ->check(CLI::Range(std::int64_t{1}, std::int64_t{10'000}));
    app.add_option("--symbols", options.symbols, "Symbols in all containers")
        ->check(CLI::Range(std::int64_t{1}, std::int64_t{1'000'000}));
    app.add_flag("--smoke", options.smoke, "A seconds-long run at small sizes (for CI)");
    CLI11_PARSE(app, argc, argv);
    if (options.smoke) {
        options.leaves = 500;
        options.containers = 10;
        options.symbols = 200;
    }
    try {
        std::cout << "Landscape benchmark\n\n";
        return run(options);
    } catch (const std::exception& error) {
        std::cerr << "LandscapeBench: " << error.what() << "\n";
        return 1;
    }
}
