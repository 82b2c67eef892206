#pragma once
#include "host/IEncyclopedia.h"
#include "host/IKMObject.h"
#include "platform/kemora/metamodel/Metamodel.h"
#include "platform/kemora/storage/IStore.h"
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace km::kemora {

class Definition;
class Diagram;
class Symbol;

/// An open encyclopedia: the store, the metamodel built from its property files, and the objects
/// loaded from it. Objects are loaded on demand and shared while anyone holds them (an identity
/// map of weak references), so memory follows what a command touches, not the file size.
class Encyclopedia : public host::IEncyclopedia, public std::enable_shared_from_this<Encyclopedia> {
public:
    /// Loads a model exchange file into an encyclopedia, with setxml's merge and overwrite
    /// switches. The exchange layer sits above the objects and supplies it (ModelImporter).
    using ModelFileLoader =
        std::function<void(Encyclopedia& encyclopedia, const std::string& path, bool merge, bool overwrite)>;

    /// A new encyclopedia file holding the host's base files. HostError Storage when the file
    /// exists or cannot be written. ":memory:" gives a private in-memory encyclopedia.
    static std::shared_ptr<Encyclopedia> create(const std::string& path);
    /// Opens an existing encyclopedia file. HostError Storage when it is missing or not one.
    static std::shared_ptr<Encyclopedia> open(const std::string& path);
    /// An encyclopedia over a store (the store's files must hold the property files).
    explicit Encyclopedia(std::unique_ptr<IStore> store);
    ~Encyclopedia() override;

    // IEncyclopedia
    std::shared_ptr<host::IDiagram> getcurrentdiagram() override;
    std::shared_ptr<host::IDefinition> getdefinitionbyid(Long id) override;
    std::shared_ptr<host::IDiagram> getdiagrambyid(Long id) override;
    host::CollectionPtr<host::IDefinition> getfiltereddefinitions(const std::string& nameFilter,
                                                                  Long typeNumber) override;
    host::CollectionPtr<host::IDiagram> GetFilteredDiagrams(const std::string& nameFilter, Long typeNumber) override;
    std::shared_ptr<host::IDefinition> CreateDefinition(const std::string& name, Long typeNumber) override;
    std::shared_ptr<host::IDiagram> CreateDiagram(const std::string& name, Long typeNumber) override;
    void ExecuteReportString(std::string& result, const std::string& script) override;
    bool openobjectsasreadonly() override { return m_openReadOnly; }
    void openobjectsasreadonly(bool value) override { m_openReadOnly = value; }
    std::shared_ptr<host::IMetaModel> MetaModel() override;
    std::string FullName() override;
    /// Imports a model exchange file through the model file loader, in one transaction: without
    /// merge, objects of the file must be new; merge keeps existing values and fills in what is
    /// missing; overwrite (with or without merge) replaces what the file names. HostError
    /// NotSupported when no loader has been given.
    void setxml(const std::string& path, bool merge, bool overwrite) override;

    // Workbench side.
    /// The loader setxml hands model files to (the workbench gives every encyclopedia it opens one).
    void setModelFileLoader(ModelFileLoader loader) { m_modelFileLoader = std::move(loader); }
    IStore& store() { return *m_store; }
    const Metamodel& metamodel() const { return *m_metamodel; }
    std::shared_ptr<const Metamodel> sharedMetamodel() const { return m_metamodel; }
    const std::vector<MetamodelDiagnostic>& diagnostics() const { return m_diagnostics; }
    void setCurrentDiagram(Long id) { m_currentDiagram = id; }
    Long currentDiagramId() const { return m_currentDiagram; }
    /// The name locks taken by this session carry.
    const std::string& userName() const { return m_userName; }

    /// Loaded or stored objects by id (nothing when there is none or it is of another class).
    /// Definitions honour locks: HostError Locked unless openobjectsasreadonly is True.
    std::shared_ptr<Definition> loadDefinition(Long id);
    std::shared_ptr<Diagram> loadDiagram(Long id);
    std::shared_ptr<Symbol> loadSymbol(Long id);
    /// The symbol of a row just read from the store (the loaded one when it is loaded already).
    std::shared_ptr<Symbol> symbolFromRow(const SymbolRow& row);
    std::shared_ptr<host::IKMObject> loadObject(Long id);
    /// A definition by type and name (qualified name for qualified types), or nothing.
    std::shared_ptr<Definition> definitionNamed(Long type, const std::string& name);
    /// The loaded symbols of a diagram that have unsaved changes.
    std::vector<std::shared_ptr<Symbol>> dirtySymbolsOf(Long diagram);
    /// The object of that id if it is loaded now, else nothing (never reads the store).
    std::shared_ptr<host::IKMObject> loadedObject(Long id);
    /// Drops an object from the identity map (after Delete).
    void forget(Long id);

private:
    template <class T> std::shared_ptr<T> cached(Long id);
    void remember(Long id, const std::shared_ptr<host::IKMObject>& object);
    void checkDefinitionLock(Long id);
    Long requireDefinitionType(Long typeNumber, const std::string& name) const;
    /// Stores a new definition or diagram in its own transaction and answers its id.
    Long insertNamedObject(StoredClass cls, Long typeNumber, const std::string& name);

    std::unique_ptr<IStore> m_store;
    std::shared_ptr<const Metamodel> m_metamodel;
    std::vector<MetamodelDiagnostic> m_diagnostics;
    std::unordered_map<Long, std::weak_ptr<host::IKMObject>> m_loaded;
    size_t m_purgeAt = 1024;
    bool m_openReadOnly = false;
    Long m_currentDiagram = 0;
    std::string m_userName;
    ModelFileLoader m_modelFileLoader;
};

} // namespace km::kemora
