#include "Workbench.h"
#include "HierarchyLayout.h"
#include "HostServices.h"
#include "host/HostError.h"
#include "host/IDefinition.h"
#include "host/IDiagram.h"
#include "host/MenuCommands.h"
#include "platform/excel/ExcelApplication.h"
#include "platform/kemora/exchange/ModelImporter.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/ui/FrontEnd.h"
#include <filesystem>
#include <optional>

namespace km::kemora {

using host::HostError;
using host::HostErrorCode;

Workbench::Workbench(WorkbenchPaths paths, ui::FrontEnd& frontEnd) : m_paths(std::move(paths)), m_frontEnd(frontEnd) {
    if (const char* viewer = std::getenv("KEMORA_SPREADSHEET_VIEWER")) {
        m_spreadsheetViewer = viewer;
    }
    adoptLogFolder();
}

Workbench::~Workbench() = default;

std::string Workbench::nextWorkbookPath() const {
    if (!m_workbookPath.empty()) {
        return m_workbookPath;
    }
    std::error_code error;
    for (int number = 1;; ++number) {
        std::string name = number == 1 ? "service-roadmap.xlsx" : "service-roadmap-" + std::to_string(number) + ".xlsx";
        if (!std::filesystem::exists(name, error)) {
            return name;
        }
    }
}

void Workbench::adoptLogFolder() {
    std::string path = m_encyclopedia ? m_encyclopedia->FullName() : std::string();
    if (path.empty() || path == ":memory:") {
        m_traceLog.setFolder(m_encyclopedia ? std::string() : m_paths.dataDir + "/logs");
    } else {
        m_traceLog.setFolder(path + ".logs");
    }
}

void Workbench::openEncyclopedia(const std::string& path) {
    useEncyclopedia(Encyclopedia::open(path));
}

void Workbench::createEncyclopedia(const std::string& path) {
    useEncyclopedia(Encyclopedia::create(path));
}

void Workbench::useEncyclopedia(std::shared_ptr<Encyclopedia> encyclopedia) {
    // The add-in loads model files through the host's encyclopedia (setxml).
    if (encyclopedia) {
        encyclopedia->setModelFileLoader(ModelImporter::loadModelFile);
    }
    m_encyclopedia = std::move(encyclopedia);
    adoptLogFolder();
}

void Workbench::closeEncyclopedia() {
    m_encyclopedia.reset();
    adoptLogFolder();
}

void Workbench::openDiagram(const std::string& name) {
    if (!m_encyclopedia) {
        throw HostError(HostErrorCode::NoEncyclopedia, "No encyclopedia is open.");
    }
    auto ids = m_encyclopedia->store().objectsOfType(StoredClass::Diagram, 0, name);
    if (ids.empty()) {
        throw HostError(HostErrorCode::NotFound, "There is no diagram named \"" + name + "\".");
    }
    m_encyclopedia->setCurrentDiagram(ids.front());
}

void Workbench::writeStatusLine(const std::string& text) {
    m_statusLines.push_back(text);
    m_frontEnd.setStatusLine(text);
}

void Workbench::runMenuCommand(Long command) {
    m_menuCommands.push_back(command);
    if (command == host::MenuArrangeHierarchies && m_encyclopedia) {
        if (auto diagram = m_encyclopedia->getcurrentdiagram()) {
            HierarchyLayout(*m_encyclopedia).arrange(diagram->ddid());
        }
    }
}

void Workbench::editDefinition(Long id) {
    if (!m_encyclopedia) {
        throw HostError(HostErrorCode::NoEncyclopedia, "No encyclopedia is open.");
    }
    auto definition = m_encyclopedia->getdefinitionbyid(id);
    if (!definition) {
        throw HostError(HostErrorCode::NotFound, "There is no definition " + std::to_string(id) + ".");
    }
    // The lock commits at once, so that other processes see it while the editor is open.
    IStore& store = m_encyclopedia->store();
    // Locked in the user's own name: others cannot open it meanwhile, and the edit can be saved.
    inTransaction(store, [&] { store.lock(id, m_encyclopedia->userName()); });
    try {
        std::string content = definition->GetProperty("Content");
        std::optional<std::string> edited = m_frontEnd.editText(definition->Name(), content);
        if (edited && *edited != content) {
            definition->setProperty("Content", *edited);
            definition->save();
        }
    } catch (...) {
        inTransaction(store, [&] { store.unlock(id); });
        throw;
    }
    inTransaction(store, [&] { store.unlock(id); });
}

std::shared_ptr<host::IHostServices> Workbench::services() {
    return std::make_shared<HostServices>(*this);
}

std::string Workbench::settingsPath() const {
    return m_paths.configDir + "/kemora.ini";
}

} // namespace km::kemora
