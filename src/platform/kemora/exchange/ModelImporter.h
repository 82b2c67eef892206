#pragma once
#include "ImportSummary.h"
#include "ModelDocument.h"
#include "SourceText.h"
#include "platform/kemora/metamodel/Metamodel.h"
#include "platform/kemora/storage/IStore.h"
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace km::kemora {

class Encyclopedia;

/// Loads a model exchange file (docs/model-exchange.md) into an encyclopedia, all or nothing: the
/// whole file is checked against the encyclopedia's metamodel and written in one transaction. A
/// malformed file, an unknown type, property or name, or a value a property cannot take throws
/// HostError naming file, line, column and what was expected, and leaves the encyclopedia as it was.
class ModelImporter {
public:
    explicit ModelImporter(Encyclopedia& encyclopedia);

    /// HostError FileStore when the file cannot be read.
    ImportSummary importFile(const std::string& path, ImportMode mode);
    /// Imports text; \p sourceName names it in messages.
    ImportSummary importText(const std::string& text, const std::string& sourceName, ImportMode mode);

    /// The mode of the encyclopedia's setxml switches: overwrite wins over merge.
    static ImportMode modeFor(bool merge, bool overwrite);
    /// Imports a file with setxml's switches: the encyclopedia's model file loader.
    static void loadModelFile(Encyclopedia& encyclopedia, const std::string& path, bool merge, bool overwrite);

private:
    using PropertyLookup = std::function<const PropertyDecl*(const std::string& name)>;
    struct Prepared {
        Long id = 0;
        bool existed = false;
    };
    struct Known {
        Long id = 0;
        std::size_t offset = 0; ///< where the file names it, for "appears twice" messages
    };

    void run(const ModelDocument& document);
    std::vector<Prepared> prepareDefinitions(const std::vector<ExchangeDefinition>& definitions);
    std::vector<Prepared> prepareDiagrams(const std::vector<ExchangeDiagram>& diagrams);
    Prepared prepareObject(StoredClass cls, Long type, const std::string& typeName, const std::string& name,
                           std::size_t offset);
    void checkUnlocked(Long id, const std::string& name, std::size_t offset);

    void applyValues(Long id, bool existed, const ExchangeValues& values, const PropertyLookup& lookup,
                     const std::string& owner);
    void applyProperty(Long id, bool existed, const PropertyDecl& decl, const ExchangeProperty& property);
    void applyList(Long id, bool existed, const PropertyDecl& decl, const ExchangeList& list);
    Long resolveItem(const PropertyDecl& decl, const ExchangeItem& item);
    std::optional<Long> findDefinition(Long type, const std::string& name);

    void applySymbols(const Prepared& diagram, const ExchangeDiagram& exchange, const DiagramType& type);
    Long createSymbol(Long diagram, const DiagramType& diagramType, const ExchangeSymbol& symbol);
    Geometry geometryOf(const ExchangeSymbol& symbol, Long type);
    Long definitionForSymbol(const SymbolType& type, const std::string& name, std::size_t offset);
    void applyLinks(const ExchangeDiagram& exchange, const std::map<std::string, Long>& refs);
    void applyFiles(const std::vector<ExchangeFile>& files);

    const DefinitionType& definitionType(const std::string& text, std::size_t offset) const;
    const DiagramType& diagramType(const std::string& text, std::size_t offset) const;
    const SymbolType& symbolType(const std::string& text, std::size_t offset) const;
    void checkName(const std::string& name, std::size_t offset) const;
    [[noreturn]] void fail(std::size_t offset, const std::string& message,
                           host::HostErrorCode code = host::HostErrorCode::BadValue) const;
    void forgetDeletedSymbols();

    Encyclopedia& m_encyclopedia;
    IStore& m_store;
    const Metamodel& m_metamodel;
    // State of one import.
    const SourceText* m_source = nullptr;
    ImportMode m_mode = ImportMode::Create;
    ImportSummary m_summary;
    std::map<std::pair<Long, std::string>, Known> m_definitions; // (type, folded name)
    std::map<std::pair<Long, std::string>, Known> m_diagrams;
    std::vector<Long> m_deletedSymbols;
};

} // namespace km::kemora
