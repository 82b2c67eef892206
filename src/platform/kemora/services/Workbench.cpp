#include "Workbench.h"
#include "HierarchyLayout.h"
#include "HostServices.h"
#include "host/HostError.h"
#include "host/IDefinition.h"
#include "host/IDiagram.h"
#include "host/MenuCommands.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/ui/FrontEnd.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace km::kemora {

using host::HostError;
using host::HostErrorCode;

Workbench::Workbench(WorkbenchPaths paths, ui::FrontEnd& frontEnd) : m_paths(std::move(paths)), m_frontEnd(frontEnd) {
    if (const char* viewer = std::getenv("KEMORA_HELP_VIEWER"))
        m_helpViewer = viewer;
    adoptLogFolder();
}

Workbench::~Workbench() = default;

void Workbench::adoptLogFolder() {
    std::string path = m_encyclopedia ? m_encyclopedia->FullName() : std::string();
    if (path.empty() || path == ":memory:")
        m_traceLog.setFolder(m_encyclopedia ? std::string() : m_paths.dataDir + "/logs");
    else
        m_traceLog.setFolder(path + ".logs");
}

void Workbench::openEncyclopedia(const std::string& path) {
    auto opened = Encyclopedia::open(path);
    m_encyclopedia = std::move(opened);
    adoptLogFolder();
}

void Workbench::createEncyclopedia(const std::string& path) {
    auto created = Encyclopedia::create(path);
    m_encyclopedia = std::move(created);
    adoptLogFolder();
}

void Workbench::useEncyclopedia(std::shared_ptr<Encyclopedia> encyclopedia) {
    m_encyclopedia = std::move(encyclopedia);
    adoptLogFolder();
}

void Workbench::closeEncyclopedia() {
    m_encyclopedia.reset();
    adoptLogFolder();
}

void Workbench::openDiagram(const std::string& name) {
    if (!m_encyclopedia)
        throw HostError(HostErrorCode::NoEncyclopedia, "No encyclopedia is open.");
    auto ids = m_encyclopedia->store().objectsOfType(StoredClass::Diagram, 0, name);
    if (ids.empty())
        throw HostError(HostErrorCode::NotFound, "There is no diagram named \"" + name + "\".");
    m_encyclopedia->setCurrentDiagram(ids.front());
}

void Workbench::writeStatusLine(const std::string& text) {
    m_statusLines.push_back(text);
    m_frontEnd.setStatusLine(text);
}

void Workbench::runMenuCommand(Long command) {
    m_menuCommands.push_back(command);
    if (command == host::MenuArrangeHierarchies && m_encyclopedia)
        if (auto diagram = m_encyclopedia->getcurrentdiagram())
            HierarchyLayout(*m_encyclopedia).arrange(diagram->ddid());
}

void Workbench::editDefinition(Long id) {
    if (!m_encyclopedia)
        throw HostError(HostErrorCode::NoEncyclopedia, "No encyclopedia is open.");
    auto definition = m_encyclopedia->getdefinitionbyid(id);
    if (!definition)
        throw HostError(HostErrorCode::NotFound, "There is no definition " + std::to_string(id) + ".");
    IStore& store = m_encyclopedia->store();
    store.lock(id, "editor of " + m_encyclopedia->userName());
    try {
        if (m_editor)
            m_editor(*definition);
        else
            terminalEditor(*definition);
    } catch (...) {
        store.unlock(id);
        throw;
    }
    store.unlock(id);
}

void Workbench::terminalEditor(host::IDefinition& definition) {
    const char* editor = std::getenv("VISUAL");
    if (!editor || !*editor)
        editor = std::getenv("EDITOR");
    if (!editor || !*editor || !isatty(STDIN_FILENO)) {
        m_frontEnd.setStatusLine("No editor to open \"" + definition.Name() + "\" (set EDITOR).");
        return;
    }
    std::filesystem::path file = std::filesystem::temp_directory_path() /
                                 ("kemora-edit-" + std::to_string(getpid()) + "-" + std::to_string(definition.ddid()));
    {
        std::ofstream out(file, std::ios::binary);
        out << definition.GetProperty("Content");
    }
    std::string command = std::string(editor) + " '" + file.string() + "'";
    if (std::system(command.c_str()) == 0) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        definition.setProperty("Content", text.str());
        definition.save();
    }
    std::error_code error;
    std::filesystem::remove(file, error);
}

std::shared_ptr<host::IHostServices> Workbench::services() {
    return std::make_shared<HostServices>(*this);
}

std::string Workbench::settingsPath() const {
    return m_paths.configDir + "/kemora.ini";
}

} // namespace km::kemora
