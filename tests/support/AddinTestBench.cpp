#include "AddinTestBench.h"
#include "addin/LandscapeMgr.h"
#include "addin/LandscapeMgrDispatch.h"
#include "addin/basConstantsAndPublicVars.h"
#include "host/IDefinition.h"
#include "host/IDiagram.h"
#include "host/IHostServices.h"
#include "host/ISymbol.h"
#include "host/basCommon.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/runtime/Text.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#ifndef KM_OUTPUT_DIR
#error "the add-in tests need KM_OUTPUT_DIR, the folder the library and its files are built into"
#endif
#ifndef KM_SOURCE_DIR
#error "the add-in tests need KM_SOURCE_DIR, the project's source folder"
#endif

namespace km::test {

namespace {

kemora::WorkbenchPaths pathsIn(const TempFolder& folder) {
    kemora::WorkbenchPaths paths;
    paths.configDir = folder.file("config");
    paths.dataDir = folder.file("data");
    paths.exeDir = KM_OUTPUT_DIR;
    return paths;
}

} // namespace

AddinTestBench::AddinTestBench(Solution solution)
    : m_workbench(std::make_unique<kemora::Workbench>(pathsIn(m_folder), m_ui)) {
    if (solution == Solution::On) {
        m_workbench->createEncyclopedia(m_folder.file("test.kmdb"));
        switchSolutionOn();
    } else {
        m_workbench->useEncyclopedia(kemora::Encyclopedia::create(":memory:"));
    }
    m_services = m_workbench->services();
    // Each bench is a freshly loaded library.
    KM_SLN_SOA::SetHostServices(m_services.get());
    KM_SLN_SOA::SetLibraryFolder(KM_OUTPUT_DIR);
    KM_SLN_SOA::gblnTraceOff = false;
    KM_SLN_SOA::SetTempNameGenerator({});
}

AddinTestBench::~AddinTestBench() {
    try {
        KM_SLN_SOA::LandscapeMgr().DestroyObjects();
        m_ui.runUntilAllClosed();
    } catch (...) {
    }
    KM_SLN_SOA::SetHostServices(nullptr);
    KM_SLN_SOA::SetTempNameGenerator({});
    KM_SLN_SOA::gblnTraceOff = false;
}

kemora::Encyclopedia& AddinTestBench::encyclopedia() {
    return *m_workbench->encyclopedia();
}

// The solution is switched on as installing it does: its property files go into the file store,
// KMDECLAR.CFG declares KMForSOA, kmprops.cfg includes solnprops.cfg, and the encyclopedia is
// reopened so that the metamodel is rebuilt.
void AddinTestBench::switchSolutionOn() {
    km::test::switchSolutionOn(encyclopedia().store());
    std::string path = encyclopedia().FullName();
    m_workbench->closeEncyclopedia();
    m_workbench->openEncyclopedia(path);
}

std::shared_ptr<host::IDiagram> AddinTestBench::createDiagram(const std::string& name, rt::Long type, bool open) {
    auto diagram = encyclopedia().CreateDiagram(name, type);
    if (open) {
        encyclopedia().setCurrentDiagram(diagram->ddid());
    }
    return diagram;
}

std::shared_ptr<host::ISymbol> AddinTestBench::addSymbol(host::IDiagram& diagram, const std::string& name,
                                                         rt::Long symbolType) {
    return diagram.CreateSymbol(name, symbolType);
}

std::shared_ptr<host::IDefinition>
AddinTestBench::createDefinition(const std::string& name, rt::Long type,
                                 const std::map<std::string, std::string>& properties) {
    auto definition = encyclopedia().CreateDefinition(name, type);
    for (const auto& [property, value] : properties) {
        definition->setProperty(property, value);
    }
    definition->save();
    return definition;
}

void AddinTestBench::putFile(const std::string& name, const std::string& content) {
    auto& store = encyclopedia().store();
    kemora::Transaction transaction(store);
    store.writeFile(name, content);
    transaction.commit();
}

bool AddinTestBench::hasFile(const std::string& name) {
    return encyclopedia().store().fileExists(name);
}

std::string AddinTestBench::run(const std::string& method, const std::vector<std::string>& arguments) {
    return KM_SLN_SOA::LandscapeMgrDispatch().Invoke(method, arguments);
}

void AddinTestBench::initialiseObjects() {
    KM_SLN_SOA::LandscapeMgr().InitialiseObjects();
}

void AddinTestBench::destroyObjects() {
    KM_SLN_SOA::LandscapeMgr().DestroyObjects();
}

std::vector<std::string> AddinTestBench::messagePrompts() const {
    std::vector<std::string> prompts;
    for (const auto& message : m_ui.messages()) {
        prompts.push_back(message.prompt);
    }
    return prompts;
}

std::string AddinTestBench::traceText(const std::string& title) const {
    return m_workbench->traceLog().textOf(title);
}

std::size_t AddinTestBench::logCount(const std::string& title) const {
    const auto& logs = m_workbench->traceLog().logs();
    return static_cast<std::size_t>(
        std::count_if(logs.begin(), logs.end(), [&](const auto& log) { return log.title == title; }));
}

} // namespace km::test
