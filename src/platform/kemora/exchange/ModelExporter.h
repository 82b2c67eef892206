#pragma once
#include "platform/kemora/metamodel/Metamodel.h"
#include "platform/kemora/storage/IStore.h"
#include <ostream>
#include <pugixml.hpp>

namespace km::kemora {

/// Whether an export carries the encyclopedia's file store.
enum class ExportFiles { Without, With };

/// Writes an encyclopedia, or one diagram, as a model exchange file (docs/model-exchange.md) that
/// ModelImporter reads back into the same model. The output is streamed object by object, so
/// memory follows the largest object, not the encyclopedia. Definitions and diagrams come ordered
/// by type number, then name; symbols in creation order. Properties the metamodel no longer
/// declares are written too, so that nothing stored is left out.
class ModelExporter {
public:
    ModelExporter(IStore& store, const Metamodel& metamodel) : m_store(store), m_metamodel(metamodel) {}

    /// Every definition and diagram, and with ExportFiles::With every file of the file store.
    void writeAll(std::ostream& out, ExportFiles files = ExportFiles::Without);
    /// One diagram with its symbols and links; its lists and symbols name definitions that the
    /// target encyclopedia must hold (or, for symbols, will create). HostError NotFound for an id
    /// that is not a diagram.
    void writeDiagram(Long diagram, std::ostream& out);

private:
    void writeDefinition(Long id, std::ostream& out);
    void writeDiagramElement(Long id, std::ostream& out);
    void writeFile(const std::string& name, std::ostream& out);
    void addSymbol(pugi::xml_node parent, const SymbolRow& row, const std::string& ref);
    /// Adds the object's stored properties (declared ones in declaration order first) and lists.
    void addValues(pugi::xml_node element, Long id, std::initializer_list<const std::vector<PropertyDecl>*> declared);
    void addList(pugi::xml_node element, Long id, const PropertyDecl& decl);
    /// Sets the element's text, marking CR LF lines or Base64 as the value needs.
    static void setText(pugi::xml_node element, const std::string& value);
    static void print(const pugi::xml_node& node, std::ostream& out, unsigned depth);
    /// The start tag of an element, written from its attributes.
    static std::string startTag(const pugi::xml_node& node);
    std::vector<Long> orderedByType(StoredClass cls);

    IStore& m_store;
    const Metamodel& m_metamodel;
};

} // namespace km::kemora
