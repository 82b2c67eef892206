#include "Encyclopedia.h"
#include "Definition.h"
#include "Diagram.h"
#include "MetaModelObject.h"
#include "ObjectCollection.h"
#include "Symbol.h"
#include "host/HostError.h"
#include "host/ReadOnlySwitch.h"
#include "platform/kemora/metamodel/BaseFiles.h"
#include "platform/kemora/metamodel/NameQuoting.h"
#include "platform/kemora/report/ReportEngine.h"
#include "platform/kemora/storage/SqliteStore.h"
#include <cstdlib>
#include <unistd.h>

namespace km::kemora {

using host::HostError;
using host::HostErrorCode;

namespace {

constexpr size_t maxNameLength = 4096;

std::string sessionUserName() {
    const char* user = std::getenv("USER");
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    return std::string(user && *user ? user : "user") + "@" + host + ":" + std::to_string(getpid());
}

void checkName(const std::string& name) {
    if (name.empty()) {
        throw HostError(HostErrorCode::BadValue, "A name cannot be empty.");
    }
    if (name.size() > maxNameLength) {
        throw HostError(HostErrorCode::BadValue, "A name is limited to 4096 bytes.");
    }
}

} // namespace

std::shared_ptr<Encyclopedia> Encyclopedia::create(const std::string& path) {
    auto store = std::make_unique<SqliteStore>(path, OpenMode::Create);
    {
        Transaction transaction(*store);
        for (const auto& [name, content] : BaseFiles::all()) {
            store->writeFile(name, content);
        }
        transaction.commit();
    }
    return std::make_shared<Encyclopedia>(std::move(store));
}

std::shared_ptr<Encyclopedia> Encyclopedia::open(const std::string& path) {
    return std::make_shared<Encyclopedia>(std::make_unique<SqliteStore>(path, OpenMode::Open));
}

Encyclopedia::Encyclopedia(std::unique_ptr<IStore> store) : m_store(std::move(store)), m_userName(sessionUserName()) {
    IStore& files = *m_store;
    MetamodelLoadResult loaded = loadMetamodel([&files](const std::string& name) { return files.readFile(name); });
    m_metamodel = std::make_shared<const Metamodel>(std::move(loaded.metamodel));
    m_diagnostics = std::move(loaded.diagnostics);
}

Encyclopedia::~Encyclopedia() = default;

std::string Encyclopedia::FullName() {
    return m_store->path();
}

std::shared_ptr<host::IMetaModel> Encyclopedia::MetaModel() {
    return std::make_shared<MetaModelObject>(m_metamodel);
}

void Encyclopedia::remember(Long id, const std::shared_ptr<host::IKMObject>& object) {
    if (m_loaded.size() >= m_purgeAt) {
        std::erase_if(m_loaded, [](const auto& entry) { return entry.second.expired(); });
        m_purgeAt = std::max<size_t>(1024, m_loaded.size() * 2);
    }
    m_loaded[id] = object;
}

std::shared_ptr<host::IKMObject> Encyclopedia::loadedObject(Long id) {
    auto found = m_loaded.find(id);
    return found == m_loaded.end() ? nullptr : found->second.lock();
}

void Encyclopedia::forget(Long id) {
    m_loaded.erase(id);
}

template <class T> std::shared_ptr<T> Encyclopedia::cached(Long id) {
    return std::dynamic_pointer_cast<T>(loadedObject(id));
}

void Encyclopedia::checkDefinitionLock(Long id) {
    if (m_openReadOnly) {
        return;
    }
    if (auto owner = m_store->lockOwner(id)) {
        throw HostError(HostErrorCode::Locked,
                        "The definition " + std::to_string(id) + " is locked by " + *owner + ".");
    }
}

std::shared_ptr<Definition> Encyclopedia::loadDefinition(Long id) {
    if (auto definition = cached<Definition>(id)) {
        checkDefinitionLock(id);
        if (!m_openReadOnly && definition->readOnly()) {
            definition->setReadOnly(false);
        }
        return definition;
    }
    auto row = m_store->object(id);
    if (!row || row->cls != StoredClass::Definition) {
        return nullptr;
    }
    checkDefinitionLock(id);
    auto definition = std::make_shared<Definition>(shared_from_this(), std::move(*row));
    definition->setReadOnly(m_openReadOnly);
    remember(id, definition);
    return definition;
}

std::shared_ptr<Diagram> Encyclopedia::loadDiagram(Long id) {
    if (auto diagram = cached<Diagram>(id)) {
        return diagram;
    }
    auto row = m_store->object(id);
    if (!row || row->cls != StoredClass::Diagram) {
        return nullptr;
    }
    auto diagram = std::make_shared<Diagram>(shared_from_this(), std::move(*row));
    remember(id, diagram);
    return diagram;
}

std::shared_ptr<Symbol> Encyclopedia::loadSymbol(Long id) {
    if (auto symbol = cached<Symbol>(id)) {
        return symbol;
    }
    auto row = m_store->symbol(id);
    if (!row) {
        return nullptr;
    }
    auto symbol = std::make_shared<Symbol>(shared_from_this(), std::move(*row));
    remember(id, symbol);
    return symbol;
}

std::shared_ptr<Symbol> Encyclopedia::symbolFromRow(const SymbolRow& row) {
    if (auto symbol = cached<Symbol>(row.object.id)) {
        return symbol;
    }
    auto symbol = std::make_shared<Symbol>(shared_from_this(), row);
    remember(row.object.id, symbol);
    return symbol;
}

std::shared_ptr<host::IKMObject> Encyclopedia::loadObject(Long id) {
    if (auto object = loadedObject(id)) {
        return object;
    }
    auto row = m_store->object(id);
    if (!row) {
        return nullptr;
    }
    switch (row->cls) {
    case StoredClass::Definition:
        return loadDefinition(id);
    case StoredClass::Diagram:
        return loadDiagram(id);
    case StoredClass::Symbol:
        return loadSymbol(id);
    }
    return nullptr;
}

std::vector<std::shared_ptr<Symbol>> Encyclopedia::dirtySymbolsOf(Long diagram) {
    std::vector<std::shared_ptr<Symbol>> symbols;
    for (const auto& [id, weak] : m_loaded) {
        if (auto symbol = std::dynamic_pointer_cast<Symbol>(weak.lock())) {
            if (symbol->diagramId() == diagram && symbol->dirty() && !symbol->deleted()) {
                symbols.push_back(symbol);
            }
        }
    }
    std::sort(symbols.begin(), symbols.end(), [](const auto& a, const auto& b) { return a->id() < b->id(); });
    return symbols;
}

std::shared_ptr<Definition> Encyclopedia::definitionNamed(Long type, const std::string& name) {
    if (type != 0) {
        auto id = m_store->objectByName(StoredClass::Definition, type, name);
        return id ? loadDefinition(*id) : nullptr;
    }
    std::vector<Long> ids = m_store->objectsOfType(StoredClass::Definition, 0, name);
    if (ids.size() > 1) {
        throw HostError(HostErrorCode::BadValue,
                        "\"" + name + "\" names definitions of several types; the list property must name a type.");
    }
    return ids.empty() ? nullptr : loadDefinition(ids.front());
}

std::shared_ptr<host::IDiagram> Encyclopedia::getcurrentdiagram() {
    if (m_currentDiagram == 0) {
        return nullptr;
    }
    auto diagram = loadDiagram(m_currentDiagram);
    if (!diagram) {
        m_currentDiagram = 0;
    }
    return diagram;
}

std::shared_ptr<host::IDefinition> Encyclopedia::getdefinitionbyid(Long id) {
    return loadDefinition(id);
}

std::shared_ptr<host::IDiagram> Encyclopedia::getdiagrambyid(Long id) {
    return loadDiagram(id);
}

host::CollectionPtr<host::IDefinition> Encyclopedia::getfiltereddefinitions(const std::string& nameFilter,
                                                                            Long typeNumber) {
    auto self = shared_from_this();
    return lazyCollection<host::IDefinition>(
        m_store->objectsOfType(StoredClass::Definition, typeNumber, nameFilter),
        [self](Long id) { return self->loadDefinition(id); }, "definition");
}

host::CollectionPtr<host::IDiagram> Encyclopedia::GetFilteredDiagrams(const std::string& nameFilter, Long typeNumber) {
    auto self = shared_from_this();
    return lazyCollection<host::IDiagram>(
        m_store->objectsOfType(StoredClass::Diagram, typeNumber, nameFilter),
        [self](Long id) { return self->loadDiagram(id); }, "diagram");
}

Long Encyclopedia::requireDefinitionType(Long typeNumber, const std::string& name) const {
    const DefinitionType* type = m_metamodel->definitionType(typeNumber);
    if (!type) {
        throw HostError(HostErrorCode::UnknownType, "Cannot create \"" + name + "\": there is no definition type " +
                                                        std::to_string(typeNumber) +
                                                        " in this encyclopedia's metamodel.");
    }
    return type->number;
}

Long Encyclopedia::insertNamedObject(StoredClass cls, Long typeNumber, const std::string& name) {
    ObjectRow row;
    row.cls = cls;
    row.type = typeNumber;
    row.name = name;
    Transaction transaction(*m_store);
    Long id = m_store->insertObject(row);
    transaction.commit();
    return id;
}

std::shared_ptr<host::IDefinition> Encyclopedia::CreateDefinition(const std::string& name, Long typeNumber) {
    checkName(name);
    requireDefinitionType(typeNumber, name);
    Long id = insertNamedObject(StoredClass::Definition, typeNumber, name);
    // The new definition opens writable even while the switch is on; the switch is put back
    // also when opening fails.
    host::ReadOnlySwitch writable(shared_from_this(), false);
    return loadDefinition(id);
}

std::shared_ptr<host::IDiagram> Encyclopedia::CreateDiagram(const std::string& name, Long typeNumber) {
    checkName(name);
    if (!m_metamodel->diagramType(typeNumber)) {
        throw HostError(HostErrorCode::UnknownType, "Cannot create the diagram \"" + name +
                                                        "\": there is no diagram type " + std::to_string(typeNumber) +
                                                        " in this encyclopedia's metamodel.");
    }
    return loadDiagram(insertNamedObject(StoredClass::Diagram, typeNumber, name));
}

void Encyclopedia::ExecuteReportString(std::string& result, const std::string& script) {
    result = ReportEngine(*m_store, *m_metamodel).run(script);
}

void Encyclopedia::setxml(const std::string& path, bool merge, bool overwrite) {
    if (!m_modelFileLoader) {
        throw HostError(HostErrorCode::NotSupported, "This encyclopedia cannot load model files.");
    }
    m_modelFileLoader(*this, path, merge, overwrite);
}

} // namespace km::kemora
