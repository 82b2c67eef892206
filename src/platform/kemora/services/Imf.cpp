#include "Imf.h"
#include "Workbench.h"
#include "host/HostError.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include <fstream>
#include <sstream>

namespace km::kemora {

using host::HostError;
using host::HostErrorCode;

namespace {

Encyclopedia& requireEncyclopedia(Workbench& workbench) {
    if (!workbench.encyclopedia()) {
        throw HostError(HostErrorCode::NoEncyclopedia, "No encyclopedia is open.");
    }
    return *workbench.encyclopedia();
}

} // namespace

void Imf::kmexecutemenucommand(Long command) {
    m_workbench.runMenuCommand(command);
}

void Imf::KMSetDiagramDirty() {
    m_workbench.setDiagramDirty();
}

Long Imf::KMGetFrameWindow(Long& handle) {
    handle = 1;
    return 0;
}

void Imf::link(Long diagram, Long child, Long parent, Long previous) {
    IStore& store = requireEncyclopedia(m_workbench).store();
    auto childRow = store.object(child), parentRow = store.object(parent);
    if (!childRow || !parentRow || childRow->cls != StoredClass::Symbol || parentRow->cls != StoredClass::Symbol) {
        throw HostError(HostErrorCode::NotFound, "Both ends of a hierarchy link must be symbols.");
    }
    if (childRow->diagram != diagram || parentRow->diagram != diagram) {
        throw HostError(HostErrorCode::BadValue, "Both symbols must lie on the given diagram.");
    }
    if (child == parent) {
        throw HostError(HostErrorCode::BadValue, "A symbol cannot be its own hierarchy child.");
    }
    // A link that would make the child an ancestor of itself is refused.
    for (auto up = store.hierarchyParent(parent); up; up = store.hierarchyParent(*up)) {
        if (*up == child) {
            throw HostError(HostErrorCode::BadValue, "The link would make a symbol its own ancestor.");
        }
    }
    if (previous != 0 && store.hierarchyParent(previous) != parent) {
        throw HostError(HostErrorCode::BadValue, "The previous sibling is not a child of the parent.");
    }
    Transaction transaction(store);
    store.setHierarchyParent(child, parent, previous);
    transaction.commit();
}

void Imf::KMMakeAsFirstChild(Long& diagram, Long& child, Long& parent) {
    link(diagram, child, parent, 0);
}

void Imf::KMMakeAsChildAfter(Long& diagram, Long& child, Long& parent, Long& previous) {
    link(diagram, child, parent, previous);
}

void Imf::KMEditDefinition(Long id, bool readOnly) {
    (void)readOnly;
    m_workbench.editDefinition(id);
}

void Imf::KMFilexExists(const std::string& name, const std::string& folder, Long& result) {
    (void)folder;
    result = requireEncyclopedia(m_workbench).store().fileExists(name) ? 1 : 0;
}

Long Imf::KMFileExport(const std::string& name, const std::string& diskPath) {
    auto content = requireEncyclopedia(m_workbench).store().readFile(name);
    if (!content) {
        return fileNotInStore;
    }
    std::ofstream out(diskPath, std::ios::binary | std::ios::trunc);
    if (!out || !(out << *content) || !out.flush()) {
        return fileCannotWrite;
    }
    return fileOk;
}

Long Imf::KMFileImport(const std::string& diskPath, const std::string& name) {
    std::ifstream in(diskPath, std::ios::binary);
    if (!in) {
        return fileCannotRead;
    }
    std::stringstream content;
    if (!(content << in.rdbuf()) && in.peek() != std::ifstream::traits_type::eof()) {
        return fileCannotRead;
    }
    IStore& store = requireEncyclopedia(m_workbench).store();
    Transaction transaction(store);
    store.writeFile(name, content.str());
    transaction.commit();
    return fileOk;
}

void Imf::KMFileDelete(const std::string& name) {
    IStore& store = requireEncyclopedia(m_workbench).store();
    Transaction transaction(store);
    store.deleteFile(name);
    transaction.commit();
}

void Imf::KMCloseAllWindows() {
    if (auto encyclopedia = m_workbench.encyclopedia()) {
        encyclopedia->setCurrentDiagram(0);
    }
}

} // namespace km::kemora
