#pragma once
#include "host/ClassNumbers.h"
#include "platform/runtime/SourcePosition.h"
#include "platform/runtime/Types.h"
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace km::kemora {

using rt::Long;

/// Edit types of properties (the numbers IMetaProperty::EditTypeNum answers).
enum class EditType : int { Text = 1, Date = 2, Number = 3, Boolean = 4, List = 5, MultiLine = 6 };

/// A property declared for a definition, diagram or symbol type.
struct PropertyDecl {
    std::string name;
    std::string label; ///< empty when none was declared
    EditType editType = EditType::Text;
    bool key = false;
    // List properties (editType List): the referenced definition type (0: any type), the named
    // relation the list forms and its reverse name, an optional relation number (GetRelatedObjects)
    // and whether the list holds at most one item (a reference read as a one-item list).
    Long listType = 0;
    std::string relation;
    std::string reverse;
    Long relationNumber = 0;
    bool single = false;
    // Set by Metamodel::index: the class (1 diagram, 2 symbol, 3 definition) and type number of
    // the owner; ownerType 0 when the property is declared for every type of its class.
    int ownerClass = 0;
    Long ownerType = 0;
    rt::SourcePosition pos;

    bool isList() const { return editType == EditType::List; }
};

struct DefinitionType {
    Long number = 0;
    std::string name;
    /// Names are qualified ("qualifier.name"); Name reports the last part.
    bool qualified = false;
    std::vector<PropertyDecl> properties;
    rt::SourcePosition pos;
};

struct SymbolType {
    Long number = 0;
    std::string name;
    Long definitionType = 0; ///< 0: symbols of this type stand for no definition
    std::vector<PropertyDecl> properties;
    rt::SourcePosition pos;
};

struct DiagramType {
    Long number = 0;
    std::string name;
    std::vector<Long> symbolTypes; ///< in declaration order
    std::vector<PropertyDecl> properties;
    rt::SourcePosition pos;
};

/// A problem found in a property file: the encyclopedia still opens with the valid declarations.
struct MetamodelDiagnostic {
    rt::SourcePosition pos;
    std::string message;      ///< "expected ... but found ..."
    std::string text() const; ///< "file:line:column: message" (rt::formatLocated)
};

/// The metamodel of one encyclopedia, built from its property files.
class Metamodel {
public:
    std::vector<DefinitionType> definitionTypes; ///< in declaration order
    std::vector<SymbolType> symbolTypes;
    std::vector<DiagramType> diagramTypes;
    std::vector<PropertyDecl> diagramProperties; ///< declared for every diagram type
    std::vector<PropertyDecl> symbolProperties;  ///< declared for every symbol type

    const DefinitionType* definitionType(Long number) const;
    const DefinitionType* definitionTypeNamed(const std::string& name) const; ///< without regard to case
    const SymbolType* symbolType(Long number) const;
    const SymbolType* symbolTypeNamed(const std::string& name) const; ///< without regard to case
    const DiagramType* diagramType(Long number) const;
    const DiagramType* diagramTypeNamed(const std::string& name) const;

    /// A property of a definition type, by name without regard to case.
    const PropertyDecl* definitionProperty(Long type, const std::string& name) const;
    /// A property of a diagram of that type: its own, then the ones every diagram has.
    const PropertyDecl* diagramProperty(Long type, const std::string& name) const;
    /// A property of a symbol of that type: its own, the ones every symbol has, then the key
    /// properties of the definition type behind it.
    const PropertyDecl* symbolProperty(Long type, const std::string& name) const;

    /// One list property that forms a relation of the given name, seen from one end.
    struct RelationEnd {
        const PropertyDecl* property;
        bool forward; ///< true: name is the forward name (owner -> items); false: the reverse name
    };
    /// Every list property whose forward or reverse relation name equals \p name (without regard
    /// to case).
    std::vector<RelationEnd> relationsNamed(const std::string& name) const;

    /// Rebuilds the lookup indexes; call after filling the vectors.
    void index();

private:
    // Where a property lives: owner class, index of the owning type (npos: the properties every
    // type of the class has) and index within that owner's property list. Indexes rather than
    // pointers keep a copied metamodel valid.
    struct PropertyRef {
        host::ObjectClass ownerClass;
        size_t typeIndex;
        size_t propertyIndex;
        bool forward; ///< for relation entries: seen from the owner
    };
    static constexpr size_t allTypes = static_cast<size_t>(-1);

    const std::vector<PropertyDecl>& ownerProperties(host::ObjectClass ownerClass, size_t typeIndex) const;
    const PropertyDecl* propertyOf(host::ObjectClass ownerClass, Long type, const std::string& name) const;
    void indexProperties(host::ObjectClass ownerClass, size_t typeIndex, Long type,
                         std::vector<PropertyDecl>& properties);

    std::map<Long, size_t> m_definitionByNumber, m_symbolByNumber, m_diagramByNumber;
    std::map<std::string, size_t> m_definitionByName, m_symbolByName, m_diagramByName; // folded names
    // (owner class, owner type or 0 for every type, folded property name) -> index in its owner.
    std::map<std::tuple<int, Long, std::string>, size_t> m_propertyByName;
    std::map<std::string, std::vector<PropertyRef>> m_relationsByName; // folded relation names
};

/// Reads a file of the encyclopedia's file store by name; nothing when absent.
using FileReader = std::function<std::optional<std::string>(const std::string& name)>;

struct MetamodelLoadResult {
    Metamodel metamodel;
    std::vector<MetamodelDiagnostic> diagnostics;
};

/// Builds the metamodel from "kmprops.cfg" and the files it includes, under the switches that
/// "KMDECLAR.CFG" declares. Never throws for malformed input: problems become diagnostics and
/// the faulty declaration is skipped.
MetamodelLoadResult loadMetamodel(const FileReader& files);

} // namespace km::kemora
